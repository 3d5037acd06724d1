#pragma once

#include <string>

namespace korvane {

// One button assignment: a row of t_key_macro_data, fields in column order.
struct KeyAssignment {
  int key_id = 0;
  int profile = 0;
  int fn_layer = 0;
  int key_code = 0;
  int layout_value = 0;
  std::string layout_desc;
  int macro_type = 0;
  int macro_value = 0;
  int macro_value2 = 0;
  int macro_value3 = 0;
  std::string macro_desc;

  bool operator==(const KeyAssignment&) const = default;
};

}  // namespace korvane
