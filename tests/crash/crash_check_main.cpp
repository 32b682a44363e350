// crash_check check LATER [EARLIER]: every stored file below LATER must read whole, and hold
// what EARLIER (a copy taken before) had stored. Prints one summary line; exit 1 on a problem.
// crash_check stand-in HOME [CYCLES]: runs the station scenario with HOME as program folder.
// crash_check resume-run HOME START_MS END_MS LOG: one run of the resume trials (local ms).
// crash_check resume-check HOME LOG END_MS: the cycles of all runs against the log.
#include <cstdio>
#include <string>

#include "ResumeTrial.h"
#include "StationScenario.h"
#include "StoredFiles.h"
#include "platform/Format.h"

namespace {

int Usage() {
  std::fputs(
      "usage: crash_check check LATER [EARLIER] | crash_check stand-in HOME [CYCLES]\n"
      "       crash_check resume-run HOME START_MS END_MS LOG | crash_check resume-check HOME LOG END_MS\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vigil::crashtest;
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  if (command == "stand-in") {
    ScenarioOptions options;
    options.cycles = argc > 3 ? vigil::platform::ParseIntOr(argv[3], 2) : 2;
    const ScenarioOutcome outcome = RunStationScenario(argv[2], options);
    return outcome.scriptCompleted ? 0 : 1;
  }
  if (command == "resume-run" && argc == 6) {
    return RunResumeTrialStep(argv[2], std::stoll(argv[3]), std::stoll(argv[4]), argv[5]);
  }
  if (command == "resume-check" && argc == 5) {
    const ResumeTrialReport r = CheckResumeTrial(argv[2], argv[3], std::stoll(argv[4]));
    for (const std::string& p : r.problems) std::printf("problem: %s\n", p.c_str());
    std::printf("scheduled=%d ran=%d missed=%d interrupted=%d cut=%d noted=%d restarts=%d problems=%zu\n",
                r.scheduled, r.ran, r.missed, r.interrupted, r.cut, r.noted, r.restarts, r.problems.size());
    return r.problems.empty() ? 0 : 1;
  }
  if (command != "check") return Usage();
  const FolderState later = ReadFolderState(argv[2]);
  const FolderState earlier = argc > 3 ? ReadFolderState(argv[3]) : FolderState{};
  const Comparison c = CompareStates(earlier, later);
  for (const std::string& problem : c.problems) std::fputs(("problem: " + problem + "\n").c_str(), stdout);
  const std::string summary =
      vigil::platform::Format("files=%d temporaries=%d torn=%d newer=%d changed=%d problems=%d\n",
                              {c.files, c.temporaries, c.tornTails, c.replacedByNewer, c.changed,
                               static_cast<int>(c.problems.size())});
  std::fputs(summary.c_str(), stdout);
  return c.problems.empty() ? 0 : 1;
}
