// The Monitoring screens' texts: translation keys with their defaults.
#pragma once

#include <string_view>

#include "store/TextKey.h"

namespace vigil::monitoring::texts {

using Text = store::TextKey;

inline constexpr Text kTitle{"IDS_MONITOR_DLG_TITLE_MONITORING", "Monitoring"};
inline constexpr Text kStart{"IDS_MONITOR_BTN_START", "Start"};
inline constexpr Text kStop{"IDS_MONITOR_BTN_STOP", "Stop"};
inline constexpr Text kViewDiff{"IDS_MONITOR_BTN_VIEW_DIFF", "View Diff"};
inline constexpr Text kReadings{"IDS_MONITOR_BTN_READINGS", "Readings"};
inline constexpr Text kCycles{"IDS_MONITOR_BTN_CYCLES", "Cycles"};
inline constexpr Text kSaveAs{"IDS_MONITOR_BTN_SAVE_AS", "Save As"};
inline constexpr Text kDownload{"IDS_MONITOR_BTN_DOWNLOAD", "Download"};

inline constexpr Text kStartQuestion{"IDS_MONITOR_MSGBOX_START_MONITOR", "Start monitoring now?"};
inline constexpr Text kNoTraining{"IDS_MONITOR_MSGBOX_NO_TRAINING_TO_MONITOR",
                                  "No training points to monitor."};
inline constexpr Text kCompleted{"IDS_MONITOR_MSGBOX_MONITOR_COMPLETED", "Monitoring cycle completed."};
inline constexpr Text kCannotClose{
    "IDS_MONITOR_MSGBOX_CANNOT_CLOSE_MONITORING",
    "This screen cannot be closed at the moment.  Monitoring is in progress..."};
inline constexpr Text kNotWritten{"IDS_MONITOR_LBL_DATA_NOT_WRITTEN",
                                  "Data file could not be written! Readings not stored: %d"};
inline constexpr Text kCorrected{"IDS_MONITOR_BTN_CORRECTED", "Corrected"};
inline constexpr Text kNoEvaluatedCycle{"IDS_MONITOR_LBL_NO_EVALUATED_CYCLE", "No evaluated cycle yet."};
inline constexpr Text kCycleWord{"IDS_MONITOR_LBL_CYCLE", "cycle"};
inline constexpr Text kCorrectedFrom{"IDS_MONITOR_LBL_CORRECTED_FROM", "station from"};
inline constexpr Text kExcluded{"IDS_MONITOR_LBL_REFERENCES_EXCLUDED", "excluded"};
inline constexpr Text kNotCorrected{"IDS_MONITOR_LBL_NOT_CORRECTED", "NOT corrected:"};
inline constexpr Text kPlot{"IDS_MONITOR_BTN_PLOT", "Plot"};
inline constexpr Text kSelectPoint{"IDS_MONITOR_MSGBOX_SELECT_POINT_PLOT", "Please select a point to plot."};
inline constexpr Text kDaysSince{"IDS_MONITOR_LBL_DAYS_SINCE", "days since %s"};
inline constexpr Text kAllComponents{"IDS_MONITOR_BTN_ALL", "All"};
inline constexpr Text kNoPlotValues{"IDS_MONITOR_LBL_NO_DISPLACEMENTS", "No displacements of %s yet."};
inline constexpr Text kResultsNotWritten{"IDS_MONITOR_LBL_RESULTS_NOT_WRITTEN",
                                         "Results database could not be written! Cycles not evaluated: %d"};

inline constexpr Text kSelectCycle{"IDS_MONITOR_MSGBOX_SELECT_CYCLE_VIEW", "Please select a cycle to view."};
inline constexpr Text kView{"IDS_MONITOR_CYCLE_BTN_VIEW", "View"};
inline constexpr Text kClose{"IDS_MONITOR_CYCLE_BTN_CLOSE", "Close"};

inline constexpr Text kStartFirst{
    "IDS_MONITOR_MSGBOX_START_FIRST",
    "Please start monitoring first before you can save a copy of the data.\r\n(Note: Only the last and just "
    "monitored data can be \"saved as\".  Please use \"Download\" to get all other data.)"};
inline constexpr Text kNoCard{
    "IDS_MONITOR_MSGBOX_NO_CF",
    "No CF Card or USB Memory is found.  Please make sure to plug-in an external memory."};
inline constexpr Text kConfirmDelete{
    "IDS_MONITOR_MSGBOX_CONFIRM_DELETE",
    "Data file is successfully downloaded.\r\n\r\nIt is suggested to delete the file to free up space in the "
    "instrument.\r\nDo you want to delete it?"};
inline constexpr Text kDeleteSuccess{"IDS_MONITOR_MSGBOX_DELETE_SUCCESS",
                                     "Successfully deleted file from the instrument."};

inline constexpr Text kDownloadTitle{"IDS_MONITOR_DL_DLG_TITLE_DOWNLOAD", "Download Data Files"};
inline constexpr Text kDownloadAll{"IDS_MONITOR_DL_RADIO_DOWNLOAD_ALL", "Download All Data Files"};
inline constexpr Text kDownloadFile{"IDS_MONITOR_DL_RADIO_DOWNLOAD_FILE", "Download Specific File"};
inline constexpr Text kFileLabel{"IDS_MONITOR_DL_LBL_FILE", "File:"};
inline constexpr Text kOutPathLabel{"IDS_MONITOR_DL_LBL_OUTPATH", "Output Folder:"};
inline constexpr Text kStartDownload{"IDS_MONITOR_DL_BTN_START_DL", "Start DL"};
inline constexpr Text kSelectOutPath{"IDS_MONITOR_DL_MSGBOX_SELECT_OUTPATH",
                                     "Please select an output folder."};
inline constexpr Text kDataPathNotFound{"IDS_MONITOR_MSGBOX_DATA_PATH_NOT_FOUND", "Data Folder not found!"};
inline constexpr Text kNoMoreData{"IDS_MONITOR_MSGBOX_NO_MORE_DATA_TO_DL", "No more data to download."};
inline constexpr Text kSuggestDeleteAll{"IDS_MONITOR_MSGBOX_SUGGEST_DELETE_ALL",
                                        "NOTE: It is suggested to delete the files to free up space in the "
                                        "instrument.\r\nDo you want to delete them "
                                        "after downloading?"};
inline constexpr Text kConfirmDeleteAll{
    "IDS_MONITOR_MSGBOX_CONFIRM_DELETE_ALL",
    "All downloaded files will be deleted from the instrument.\r\nContinue?"};
inline constexpr Text kCompleteWithError{"IDS_MONITOR_MSGBOX_DL_COMPLETE_WITH_ERROR",
                                         "Download complete, but some files may have error downloading."};
inline constexpr Text kAllDownloaded{"IDS_MONITOR_MSGBOX_ALL_FILES_DL_SUCCESS",
                                     "All data files are successfully downloaded."};
inline constexpr Text kSelectFile{"IDS_MONITOR_DL_MSGBOX_SELECT_FILE", "Please select a file to download."};

inline constexpr Text kBrowserTitle{"IDS_MONITOR_DLG_TITLE_FOLDER_BROWSER", "Folder Browser"};
inline constexpr Text kPathLabel{"IDS_MONITOR_DL_LBL_PATH", "Path:"};
inline constexpr Text kOk{"IDS_COMMON_OK", "OK"};
inline constexpr Text kCancel{"IDS_COMMON_CANCEL", "Cancel"};
inline constexpr Text kSelectFolder{"IDS_MONITOR_MSGBOX_PLS_SELECT_FOLDER", "Please select a folder."};

}  // namespace vigil::monitoring::texts
