// The operator's texts of the orientation screens: translation keys and their defaults.
#pragma once

#include <string_view>

#include "store/TextKey.h"

namespace vigil::orientation {

using store::TextKey;

namespace texts {

inline constexpr TextKey kTitleOrientation{"IDS_ORIENT_DLG_TITLE_ORIENTATION", "Orientation"};
inline constexpr TextKey kTitleManual{"IDS_ORIENT_DLG_TITLE_MANUAL_RESECTION", "Manual Resection"};
inline constexpr TextKey kCount{"IDS_ORIENT_LBL_RESECTION_COUNT", "Count"};

inline constexpr TextKey kBtnReorient{"IDS_ORIENT_BTN_REORIENTATE", "Reorient"};
inline constexpr TextKey kBtnResection{"IDS_ORIENT_BTN_RESECTION", "Resection"};
inline constexpr TextKey kBtnManual{"IDS_ORIENT_BTN_MANUAL", "Manual"};
inline constexpr TextKey kBtnPoints{"IDS_ORIENT_BTN_POINTS", "Points"};
inline constexpr TextKey kBtnBack{"IDS_ORIENT_MANUAL_BTN_BACK", "Back"};
inline constexpr TextKey kBtnRemove{"IDS_ORIENT_MANUAL_BTN_REMOVE", "Remove"};
inline constexpr TextKey kBtnReset{"IDS_ORIENT_MANUAL_BTN_RESET", "Reset"};
inline constexpr TextKey kBtnAccept{"IDS_ORIENT_MANUAL_BTN_ACCEPT", "Accept"};
inline constexpr TextKey kOk{"IDS_COMMON_OK", "OK"};
inline constexpr TextKey kCancel{"IDS_COMMON_CANCEL", "Cancel"};

inline constexpr TextKey kSelectReorient{"IDS_ORIENT_MSGBOX_SELECT_PT_REORIENT",
                                         "Please select point from training to use as reference for "
                                         "reorientation."};
inline constexpr TextKey kSelectResection{"IDS_ORIENT_MSGBOX_SELECT_PT_RESECTION",
                                          "Please select point from training to use as reference for "
                                          "resection."};
inline constexpr TextKey kConfirmPointing{"IDS_TRNG_MSGBOX_CONFIRM_POINTING",
                                          "Please make sure that the instrument is now pointing to "
                                          "{prism_name}. Continue?"};
inline constexpr TextKey kConfirmPointPrism{"IDS_ORIENT_MSGBOX_CONFIRM_POINT_PRISM",
                                            "Please make sure that the instrument is now pointing to prism. "
                                            "Continue?"};
inline constexpr TextKey kFailedReading{"IDS_COMMON_FAILED_READING", "Failed to take reading."};
inline constexpr TextKey kMoreThan{"IDS_ORIENT_MSGBOX_TARGET_MORE_THAN",
                                   "Target is more than 100 mm from {prism_name}.  Search closest point to "
                                   "target?"};
inline constexpr TextKey kClosest{"IDS_ORIENT_MSGBOX_CLOSEST_PT_FROM_TARGET",
                                  "Closest point {prism_name} is {distance} mm from target.  Continue "
                                  "orientation to this point instead?"};
inline constexpr TextKey kCorrection{"IDS_ORIENT_MSGBOX_ORIENT_CORRECTION",
                                     "Orientation correction = {orientation}.  Do you wish to update now to "
                                     "this value?"};
inline constexpr TextKey kTooClose{"IDS_ORIENT_MSGBOX_TARGET_VERY_CLOSE",
                                   "Target is very close from previous point. Please move to another point."};
inline constexpr TextKey kCaptured{"IDS_ORIENT_MSGBOX_TARGET_CAPTURED",
                                   "Target captured and stored. Please move to next point."};
inline constexpr TextKey kMoveNext{"IDS_ORIENT_MSGBOX_MOVE_NEXT_PT", "Please move to next point."};

inline constexpr TextKey kStationCoord{"IDS_ORIENT_LBL_STN_COORD", "STATION COORDINATE"};
inline constexpr TextKey kEasting{"IDS_STN_CRDTAB_EASTING", "Easting"};
inline constexpr TextKey kNorthing{"IDS_STN_CRDTAB_NORTHING", "Northing"};
inline constexpr TextKey kReducedLevel{"IDS_STN_CRDTAB_RL", "Reduced level"};
inline constexpr TextKey kRl{"IDS_STN_CRDTAB_RL", "RL"};
inline constexpr TextKey kOrientation{"IDS_STN_CRDTAB_ORIENTATION", "Orientation"};
inline constexpr TextKey kOrientShort{"IDS_STN_CRDTAB_ORIENTATION", "Orient."};
inline constexpr TextKey kTolE{"IDS_ORIENT_LBL_TOL_E", "Tol. (E)"};
inline constexpr TextKey kTolN{"IDS_ORIENT_LBL_TOL_N", "Tol. (N)"};
inline constexpr TextKey kTolRl{"IDS_ORIENT_LBL_TOL_RL", "Tol. (RL)"};
inline constexpr TextKey kUpdateNow{"IDS_ORIENT_LBL_UPDATE_NOW", "Do you wish to update now to this values?"};

inline constexpr TextKey kEnterCoords{"IDS_ORIENT_LBL_ENTER_COORDS_TH",
                                      "Enter coordinates and target height.  Point instrument to prism, and "
                                      "click OK."};
inline constexpr TextKey kPtName{"IDS_ORIENT_LBL_PT_NAME", "Pt.Name"};
inline constexpr TextKey kEnterName{"IDS_ORIENT_MSGBOX_ENTER_PT_NAME", "Please enter a Point Name."};
inline constexpr TextKey kEnterEasting{"IDS_ORIENT_MSGBOX_ENTER_EASTING", "Please enter Easting."};
inline constexpr TextKey kEnterNorthing{"IDS_ORIENT_MSGBOX_ENTER_NORTHING", "Please enter Northing."};
inline constexpr TextKey kEnterRl{"IDS_ORIENT_MSGBOX_ENTER_RL", "Please enter Reduced Level."};
inline constexpr TextKey kEnterTh{"IDS_ORIENT_MSGBOX_ENTER_TH", "Please enter Target Height."};

inline constexpr TextKey kSelectRemove{"IDS_ORIENT_MANUAL_SELECT_PT_REMOVE",
                                       "Please select a resection point to remove."};
inline constexpr TextKey kConfirmRemove{
    "IDS_ORIENT_MANUAL_CONFIRM_REMOVE_PRISM",
    "Are you sure you want to remove {prism_name} from resection points?"};
inline constexpr TextKey kConfirmReset{"IDS_ORIENT_MANUAL_MSGBOX_RESET", "Reset resection counter?"};
inline constexpr TextKey kNotEnough{"IDS_ORIENT_MANUAL_NOT_ENOUGH_PTS",
                                    "Not enough resection points. (Should have at least 2)"};

}  // namespace texts

/// Told when an accepted result could not be stored in full; not in the translations file.
inline constexpr std::string_view kStationNotSavedText =
    "The station could not be saved to the project-station file.";
inline constexpr std::string_view kTrainingNotSavedText =
    "The recomputed training observations could not be saved to the training file.";

}  // namespace vigil::orientation
