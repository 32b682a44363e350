// The operator's texts of the training screens: translation keys and their defaults.
#pragma once

#include <string_view>

#include "store/TextKey.h"

namespace vigil::training {

using store::TextKey;

namespace texts {

// Training dialog
inline constexpr TextKey kTitleTraining{"IDS_TRNG_DLG_TITLE_TRAINING", "Training"};
inline constexpr TextKey kTitleMeasuringPoints{"IDS_TRNG_DLG_TITLE_MEAS_PTS", "Measuring Points..."};
inline constexpr TextKey kBtnImport{"IDS_TRNG_BTN_IMPORT", "Import"};
inline constexpr TextKey kBtnDownload{"IDS_TRNG_BTN_DOWNLOAD", "Download"};
inline constexpr TextKey kBtnAdd{"IDS_TRNG_BTN_ADD", "Add"};
inline constexpr TextKey kBtnRename{"IDS_TRNG_BTN_RENAME", "Rename"};
inline constexpr TextKey kBtnDelete{"IDS_TRNG_BTN_DELETE", "Delete"};
inline constexpr TextKey kBtnRetrain{"IDS_TRNG_BTN_RETRAIN", "Retrain"};
inline constexpr TextKey kBtnVerify{"IDS_TRNG_BTN_VERIFY", "Verify"};
inline constexpr TextKey kBtnCiCheck{"IDS_TRNG_BTN_CI_CHECK", "C&&I Check"};
inline constexpr TextKey kOk{"IDS_COMMON_OK", "OK"};
inline constexpr TextKey kCancel{"IDS_COMMON_CANCEL", "Cancel"};

inline constexpr TextKey kSelectRename{"IDS_TRNG_MSGBOX_SELECT_PT_RENAME", "Please select point to rename."};
inline constexpr TextKey kSelectDelete{"IDS_TRNG_MSGBOX_SELECT_PT_DELETE", "Please select point to delete."};
inline constexpr TextKey kSelectRetrain{"IDS_TRNG_MSGBOX_SELECT_PT_RETRAIN",
                                        "Please select point to retrain."};
inline constexpr TextKey kSelectVerify{"IDS_TRNG_MSGBOX_SELECT_PT_VERIFY", "Please select point to verify."};
inline constexpr TextKey kSelectCiCheck{"IDS_TRNG_MSGBOX_SELECT_PT_CI_CHECK",
                                        "Please select point to check C&I."};
inline constexpr TextKey kConfirmDelete{"IDS_TRNG_MSGBOX_CONFIRM_DELETE",
                                        "Are you sure you want to delete prism {prism_name}?"};
inline constexpr TextKey kConfirmPointing{
    "IDS_TRNG_MSGBOX_CONFIRM_POINTING",
    "Please make sure that the instrument is now pointing to {prism_name}. "
    "Continue?"};
inline constexpr TextKey kAlreadyAdded{"IDS_TRNG_MSGBOX_PRISM_ALREADY_ADDED",
                                       "The target prism is already added in training as {prism_name}."};
inline constexpr TextKey kDistFromKnown{"IDS_TRNG_MSGBOX_PRISM_DIST_FROM_KNOWN",
                                        "{prism_name} is {distance} mm from {known_prism_name}."};
inline constexpr TextKey kWishToContinue{"IDS_TRNG_MSGBOX_WISH_TO_CONTINUE", "Do you wish to continue?"};
inline constexpr TextKey kTrainingSuccess{"IDS_TRNG_MSGBOX_TRAINING_SUCCESS",
                                          "{prism_name} successfully trained."};
inline constexpr TextKey kPositionTitle{"IDS_TRNG_LBL_VERIFY_PTNAME_POS", "{prism_name} POSITION"};
inline constexpr TextKey kHorizontalAngle{"IDS_TRNG_LBL_TRAINING_HA", "Horizontal Angle:"};
inline constexpr TextKey kVerticalAngle{"IDS_TRNG_LBL_TRAINING_VA", "Vertical Angle:"};
inline constexpr TextKey kSlopeDistance{"IDS_TRNG_LBL_TRAINING_SD", "Slope Distance:"};
inline constexpr TextKey kVerifyFailed{"IDS_TRNG_MSGBOX_VERIFY_FAILED", "Failed to verify point."};
inline constexpr TextKey kCurrentHa{"IDS_TRNG_LBL_VERIFY_CURRENT_HA", "Current HA"};
inline constexpr TextKey kCurrentVa{"IDS_TRNG_LBL_VERIFY_CURRENT_VA", "Current VA"};
inline constexpr TextKey kCurrentSd{"IDS_TRNG_LBL_VERIFY_CURRENT_SD", "Current SD"};
inline constexpr TextKey kInitialHa{"IDS_TRNG_LBL_VERIFY_INITIAL_HA", "Initial HA"};
inline constexpr TextKey kInitialVa{"IDS_TRNG_LBL_VERIFY_INITIAL_VA", "Initial VA"};
inline constexpr TextKey kInitialSd{"IDS_TRNG_LBL_VERIFY_INITIAL_SD", "Initial SD"};
inline constexpr TextKey kDiffHa{"IDS_TRNG_LBL_VERIFY_DIFF_HA", "Difference in HA"};
inline constexpr TextKey kDiffVa{"IDS_TRNG_LBL_VERIFY_DIFF_VA", "Difference in VA"};
inline constexpr TextKey kDiffSd{"IDS_TRNG_LBL_VERIFY_DIFF_SD", "Difference in SD"};
inline constexpr TextKey kDiffEasting{"IDS_TRNG_LBL_VERIFY_DIFF_EASTING", "Difference in Easting"};
inline constexpr TextKey kDiffNorthing{"IDS_TRNG_LBL_VERIFY_DIFF_NORTHING", "Difference in Northing"};
inline constexpr TextKey kDiffRl{"IDS_TRNG_LBL_VERIFY_DIFF_RL", "Difference in RL"};
inline constexpr TextKey kCiFailed{"IDS_TRNG_MSGBOX_CI_CHECK_FAILED", "Failed to check C&I."};
// Not in the original set of texts: a training file that could not be written, and a
// measurement refused because another one is still under way.
inline constexpr TextKey kSaveFailed{
    "IDS_TRNG_MSGBOX_SAVE_FAILED", "The training file could not be written. The last change is not stored."};
inline constexpr TextKey kPointChanged{
    "IDS_TRNG_MSGBOX_POINT_CHANGED",
    "{prism_name} was changed while it was measured. The reading was not stored."};

// New point name
inline constexpr TextKey kTitleNewPointName{"IDS_TRNG_DLG_TITLE_NEW_PTNAME", "New Point Name"};
inline constexpr TextKey kEnterNewPointName{"IDS_TRNG_LBL_ENTER_NEW_PTNAME", "Please enter new point name."};
inline constexpr TextKey kPrismTypeSelection{"IDS_TRNG_LBL_PRISM_TYPE_SELECTION", "Prism Type:"};
inline constexpr TextKey kSetCustomConstant{
    "IDS_TRNG_MSGBOX_SET_CUSTOM_PRISM_CONST",
    "Please set the Custom prism constant first, before you can use Custom prism type."};
inline constexpr TextKey kSelectPrismType{"IDS_TRNG_MSGBOX_SELECT_PRISM_TYPE",
                                          "Please select a Prism Type for this point."};
inline constexpr TextKey kUseCustomCharacter{
    "IDS_TRNG_MSGBOX_USE_CUSTOM_PRISM_CHAR",
    "Please use the Custom prism character as the prefix of your Point Name."};
inline constexpr TextKey kInvalidPointName{
    "IDS_TRNG_MSGBOX_INVALID_PTNAME",
    "Please enter a point name that is not empty and holds no TAB or line break."};

// 2D scan
inline constexpr TextKey kTitleScan{"IDS_TRNG_DLG_TITLE_VIGIL_2D_SCAN", "VIGIL 2D Scan"};
inline constexpr TextKey kStartPoint{"IDS_TRNG_LBL_VIGIL_2D_START_PT", "Start Point (Top-Left)"};
inline constexpr TextKey kEndPoint{"IDS_TRNG_LBL_VIGIL_2D_END_PT", "End Point (Bottom-Right)"};
inline constexpr TextKey kScanHa{"IDS_TRNG_LBL_VIGIL_2D_HA", "Ha:"};
inline constexpr TextKey kScanVa{"IDS_TRNG_LBL_VIGIL_2D_VA", "Va:"};
inline constexpr TextKey kScanSet{"IDS_TRNG_LBL_VIGIL_2D_SET", "Set"};
inline constexpr TextKey kBtnStart{"IDS_MONITOR_BTN_START", "Start"};
inline constexpr TextKey kSetStartPoint{"IDS_TRNG_MSGBOX_SET_START_PT", "Please set the Start Point."};
inline constexpr TextKey kSetEndPoint{"IDS_TRNG_MSGBOX_SET_END_PT", "Please set the End Point."};
inline constexpr TextKey kCollectingData{"IDS_TRNG_MSGBOX_COLLECTING_DATA", "Collecting Data..."};
inline constexpr TextKey kScanNone{"IDS_TRNG_MSGBOX_SCAN_COMPLETE_NONE", "Scan Complete!\r\nNo prism found."};
inline constexpr TextKey kScanNoReply{"IDS_TRNG_MSGBOX_SCAN_NO_REPLY",
                                      "Scan failed!\r\nNo scan reply from the instrument."};
inline constexpr TextKey kScanFound{
    "IDS_TRNG_MSGBOX_SCAN_COMPLETE_FOUND",
    "Scan Complete!\r\nFound {prism_count} potential prisms.  Proceed to verify "
    "these points?"};
inline constexpr TextKey kSelectAppendOverwrite{"IDS_TRNG_LBL_SELECT_APPEND_OVERWRITE",
                                                "Measured points will either append or overwrite your "
                                                "existing training points.\r\n\r\nPlease select which "
                                                "option you want."};
inline constexpr TextKey kAppendPoints{"IDS_TRNG_RADIO_APPEND_POINTS", "Append to Existing Training Points"};
inline constexpr TextKey kOverwritePoints{"IDS_TRNG_RADIO_OVERWRITE_POINTS",
                                          "Overwrite Existing Training Points"};
inline constexpr TextKey kScanCompleted{"IDS_TRNG_MSGBOX_VIGIL_2D_COMPLETED", "VIGIL 2D Scan completed."};

// Import and download
inline constexpr TextKey kTitleImport{"IDS_TRNG_DLG_TITLE_IMPORT_CRD_TR", "Import Coordinates/Training"};
inline constexpr TextKey kChooseFileType{"IDS_TRNG_LBL_CHOOSE_FILE_TYPE",
                                         "Choose the type of file to import:"};
inline constexpr TextKey kCoordinateFile{"IDS_TRNG_RADIO_COORD_FILE", "Coordinate file (*.txt)"};
inline constexpr TextKey kTrainingFile{"IDS_TRNG_RADIO_TRAINING_FILE", "Training file (*.ini)"};
inline constexpr TextKey kNoCfImport{
    "IDS_TRNG_MSGBOX_NO_CF_IMPORT",
    "No CF Card or USB Memory is found.  Please make sure to plug-in an external "
    "memory that contains the file to import."};
inline constexpr TextKey kImportUnicode{
    "IDS_TRNG_MSGBOX_IMPORT_UNICODE_FILE",
    "Please make sure that you import a file of UNICODE format.  Continue?"};
inline constexpr TextKey kOverwriteCoordinates{
    "IDS_TRNG_MSGBOX_IMPORT_WARNING_OVERWRITE",
    "Warning: Loading coordinate file will overwrite existing data of {PROJ-STN}. Do you wish to continue?"};
inline constexpr TextKey kOverwriteTraining{"IDS_TRNG_MSGBOX_IMPORT_WARNING_OVERWRITE_TRAINING",
                                            "Warning: Importing of training file will overwrite existing "
                                            "data of {PROJ-STN}. Do you wish to continue?"};
inline constexpr TextKey kNotUnicode{
    "IDS_TRNG_MSGBOX_FILE_IMPORT_NOT_ACCEPTED",
    "The file you import is not accepted. Please save it as a UNICODE file, then "
    "import again."};
inline constexpr TextKey kLinesSkipped{"IDS_TRNG_MSGBOX_IMPORT_LINES_SKIPPED",
                                       "{line_count} lines of the file could not be read and were skipped."};
inline constexpr TextKey kNoPointsImported{
    "IDS_TRNG_MSGBOX_IMPORT_NO_POINTS",
    "The file you import holds no points that can be read. The training list is left as it was."};
inline constexpr TextKey kNothingToDownload{"IDS_TRNG_MSGBOX_IMPORT_FILE_NOT_FOUND",
                                            "Training file not found.  Nothing to download."};
inline constexpr TextKey kNoCfDownload{
    "IDS_TRNG_MSGBOX_NO_CF_DOWNLOAD",
    "No CF Card or USB Memory is found.  Please make sure to plug-in an external "
    "memory to save the file."};
inline constexpr TextKey kDownloadSuccess{"IDS_TRNG_MSGBOX_DOWNLOAD_TRAINING_SUCCESS",
                                          "Training file is successfully downloaded."};

}  // namespace texts

inline constexpr std::string_view kCoordinateFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr std::string_view kTrainingFilter = "Training Files (*.ini)|*.ini|All Files (*.*)|*.*||";

}  // namespace vigil::training
