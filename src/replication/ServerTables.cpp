#include "replication/ServerTables.h"

#include <sstream>

namespace vigil::replication {

const std::vector<CopiedTable>& CopiedTables() {
  static const std::vector<CopiedTable> tables = {
      {"cycles",
       "cycle_number i, first_ms i, last_ms i, measured_lines i, failed_lines i, skipped_lines i, corrected "
       "i, "
       "uncorrected_why t",
       "",
       "SELECT cycle_number, first_ms, last_ms, measured_lines, failed_lines, skipped_lines, corrected, "
       "uncorrected_why FROM cycles WHERE id = ?1"},
      {"station_solutions",
       "as_set_easting_m r, as_set_northing_m r, as_set_level_m r, easting_m r, northing_m r, level_m r, "
       "orientation_correction_gon r, sigma_easting_mm r, sigma_northing_mm r, sigma_level_mm r, "
       "sigma_orientation_mgon r, sigma0 r, redundancy i, global_test_value r, global_test_critical r, "
       "global_test_passed i",
       "",
       "SELECT as_set_easting_m, as_set_northing_m, as_set_level_m, easting_m, northing_m, level_m, "
       "orientation_correction_gon, sigma_easting_mm, sigma_northing_mm, sigma_level_mm, "
       "sigma_orientation_mgon, "
       "sigma0, redundancy, global_test_value, global_test_critical, global_test_passed FROM "
       "station_solutions "
       "WHERE cycle_id = ?1"},
      {"reference_uses",
       "point t, used i, why t, residual_ha_mgon r, residual_va_mgon r, residual_sd_mm r, standardised_ha r, "
       "standardised_va r, standardised_sd r",
       "point",
       "SELECT point, used, why, residual_ha_mgon, residual_va_mgon, residual_sd_mm, standardised_ha, "
       "standardised_va, standardised_sd FROM reference_uses WHERE cycle_id = ?1 ORDER BY point"},
      {"observations",
       "line i, point t, round i, face i, time_ms i, measured i, ha_gon r, va_gon r, sd_m r, easting_m r, "
       "northing_m r, rl_m r",
       "line",
       "SELECT line, point, round, face, time_ms, measured, ha_gon, va_gon, sd_m, easting_m, northing_m, "
       "rl_m "
       "FROM observations WHERE cycle_id = ?1 ORDER BY line"},
      {"point_results",
       "point t, prism_type i, reference i, readings i, failed i, face1 i, face2 i, time_ms i, ha_gon r, "
       "va_gon r, sd_m r, ha_scatter_mgon r, va_scatter_mgon r, sd_scatter_mm r, scatter_suspect i, "
       "positioned i, easting_m r, northing_m r, level_m r, cov_ee r, cov_en r, cov_eh r, cov_nn r, cov_nh "
       "r, "
       "cov_hh r, has_displacement i, d_east_mm r, d_north_mm r, d_level_mm r, sigma_east_mm r, "
       "sigma_north_mm r, sigma_level_mm r, test_value r, test_critical r, significant i, raw_east_mm r, "
       "raw_north_mm r, raw_level_mm r, v_east_mm_per_day r, v_north_mm_per_day r, v_level_mm_per_day r",
       "point",
       "SELECT point, prism_type, reference, readings, failed, face1, face2, time_ms, ha_gon, va_gon, sd_m, "
       "ha_scatter_mgon, va_scatter_mgon, sd_scatter_mm, scatter_suspect, positioned, easting_m, northing_m, "
       "level_m, cov_ee, cov_en, cov_eh, cov_nn, cov_nh, cov_hh, has_displacement, d_east_mm, d_north_mm, "
       "d_level_mm, sigma_east_mm, sigma_north_mm, sigma_level_mm, test_value, test_critical, significant, "
       "raw_east_mm, raw_north_mm, raw_level_mm, v_east_mm_per_day, v_north_mm_per_day, v_level_mm_per_day "
       "FROM point_results WHERE cycle_id = ?1 ORDER BY point"},
  };
  return tables;
}

std::vector<ColumnSpec> ColumnsOf(const CopiedTable& table) {
  std::vector<ColumnSpec> out;
  std::stringstream in(table.columns);
  std::string item;
  while (std::getline(in, item, ',')) {
    const auto first = item.find_first_not_of(' ');
    const auto space = item.find(' ', first);
    out.push_back({item.substr(first, space - first), item[space + 1]});
  }
  return out;
}

}  // namespace vigil::replication
