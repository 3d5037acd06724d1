#include "update/update_problem.hpp"

#include "common/text_ids.hpp"

namespace korvane {

int ProblemTextId(UpdateProblem problem) {
  switch (problem) {
    case UpdateProblem::kNone:
    case UpdateProblem::kCancelled:
      return 0;
    case UpdateProblem::kDownload:
      return text_id::kProblemDownload;
    case UpdateProblem::kDigestMismatch:
      return text_id::kProblemDigestMismatch;
    case UpdateProblem::kDigestMissing:
      return text_id::kProblemDigestMissing;
    case UpdateProblem::kUnpack:
      return text_id::kProblemUnpack;
    case UpdateProblem::kNoInterface:
      return text_id::kProblemNoInterface;
    case UpdateProblem::kStartRefused:
      return text_id::kProblemStartRefused;
    case UpdateProblem::kWriteFailed:
      return text_id::kProblemWriteFailed;
    case UpdateProblem::kInstallerStart:
      return text_id::kProblemInstallerStart;
  }
  return 0;
}

}  // namespace korvane
