#include "app/control_router.hpp"

namespace korvane {

namespace {
constexpr int kClick = 2;
}

void ControlRouter::Add(std::initializer_list<int> controls, Codes codes, Handler handler) {
  for (const int control : controls) routes_[control] = Entry{codes, handler};
}

void ControlRouter::RouteTo(int control, Handler handler) { routes_[control].handler = std::move(handler); }

bool ControlRouter::Route(int control, int event, std::int64_t param) const {
  const auto it = routes_.find(control);
  if (it == routes_.end() || !it->second.handler) return false;
  if (it->second.codes == Codes::kClickOnly && event != kClick) return false;
  return it->second.handler(event, param);
}

}  // namespace korvane
