// Stored window layouts: the design state of a form as text.
//
//   form Form10
//     Caption = "Tovrek"
//     ClientSize = 528, 239
//     Color = Yellow
//     panel Panel1
//       Bounds = 36, 24, 457, 49
//       Caption = "Tovrek Encountered a Problem"
//       Font = "Tahoma", 19, Bold, White
//     end
//     button BtnOk
//       OnClick = BtnOkClick
//     end
//   end
//
// A value is a number (decimal or $hex), a "string" ("" inside for a quote),
// an identifier, true/false, or a comma-separated list of those; a list
// over several lines is written in [ ... ] with one value a line.
// Lines starting with # are comments.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/types.h"

namespace tk {

// A layout or binding mistake: a programming error, found at start-up.
class LayoutError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

struct LayoutValue {
  enum class Kind { Number, String, Identifier, List };
  Kind kind = Kind::Number;
  long long number = 0;
  std::string text;  // string contents or identifier
  std::vector<LayoutValue> items;
  int line = 0;

  // Conversions; each throws LayoutError naming the line when the value
  // is not of that shape.
  int AsInt() const;
  bool AsBool() const;
  const std::string& AsString() const;
  const std::string& AsIdentifier() const;
  Color AsColor() const;
  // A list's items (a single value is a list of one).
  std::vector<LayoutValue> AsList() const;
  std::vector<std::string> AsStrings() const;
};

struct LayoutNode {
  std::string kind;  // "form", "panel", "button", ...
  std::string name;
  int line = 0;
  std::vector<std::pair<std::string, LayoutValue>> properties;
  std::vector<LayoutNode> children;
};

// Parses a layout text; throws LayoutError with the source name and line.
LayoutNode ParseLayout(const std::string& text, const std::string& sourceName);

// A font from a layout value: "Name", height, Bold, Italic, Underline, colour.
Font FontFromLayout(const LayoutValue& v, const Font& base);

}  // namespace tk
