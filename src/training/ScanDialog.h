// The 2D scan: the operator marks the top-left and bottom-right corners of a window of
// directions, the instrument sweeps it and reports each prism it passes, and the scan is over
// when five seconds pass without a new one. The Training dialog then measures the hits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "training/ScanHit.h"
#include "training/TrainingTexts.h"
#include "ui/AppContext.h"

namespace vigil::training {

class ScanDialog final : public platform::Dialog {
 public:
  static constexpr int kStartLabelId = 1600;
  static constexpr int kStartHaLabelId = 1601;
  static constexpr int kStartHaEditId = 1602;
  static constexpr int kStartVaLabelId = 1603;
  static constexpr int kStartVaEditId = 1604;
  static constexpr int kSetStartId = 1605;
  static constexpr int kEndLabelId = 1606;
  static constexpr int kEndHaLabelId = 1607;
  static constexpr int kEndHaEditId = 1608;
  static constexpr int kEndVaLabelId = 1609;
  static constexpr int kEndVaEditId = 1610;
  static constexpr int kSetEndId = 1611;
  static constexpr int kStartKeyId = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kSoftKey4Id = 1019;

  static constexpr int kQuietTimerId = 1;
  static constexpr std::uint32_t kQuietCheckMs = 1000;
  /// The scan is over this long after the last hit (ms).
  static constexpr std::uint32_t kQuietMs = 5000;
  /// A scan without any reply this long after Start has failed (ms): a refused command or
  /// a lost reply would otherwise leave it collecting for ever.
  static constexpr std::uint32_t kNoReplyMs = 70000;

  enum State { kIdle = -1, kSettingStart = 0, kSettingEnd = 1, kScanning = 2 };

  using Tr = std::function<std::string(const TextKey&)>;
  ScanDialog(ui::AppContext& context, Tr tr);
  ~ScanDialog() override;

  int ScanState() const { return state_; }
  const std::vector<ScanHit>& Hits() const { return hits_; }
  /// After OK: the measured points are appended (else they replace the list).
  bool Append() const { return append_; }
  bool QuietTimerRunning() const { return quietTimerRunning_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  void OnTimer(int timerId) override;
  bool OnClose() override;

 private:
  void SetCorner(State corner);
  void Start();
  void OnScanReading();
  void OnCornerRead();
  void OnScanReply();
  void OnQuietTick();
  /// Stops the scan: the quiet timer, the engine's polling of scan replies, the state.
  void EndScan();
  void EnableKeys(bool enabled);
  void Tell(const TextKey& text, platform::MessageIcon icon);

  ui::AppContext& context_;
  Tr tr_;
  std::string title_;
  std::string startHa_, startVa_, endHa_, endVa_;
  State state_ = kIdle;
  std::vector<ScanHit> hits_;
  std::uint32_t lastHitTick_ = 0;
  bool quietTimerRunning_ = false;
  bool append_ = true;
  bool reading_ = false;  ///< a corner reading is under way
  std::shared_ptr<ScanDialog*> alive_;
};

}  // namespace vigil::training
