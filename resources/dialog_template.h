// The format of a dialog resource: a dialog's size, title and font, and its controls in
// template order (which is also the tab order), all measured in dialog units.
#pragma once

#include <span>
#include <string_view>

namespace varnolix {

enum class ControlKind { Edit, Label, Picture, PushButton };

// Control styles. A control is shown only with kVisible.
namespace style {
inline constexpr unsigned kVisible = 1u << 0;
inline constexpr unsigned kTabStop = 1u << 1;
inline constexpr unsigned kBorder = 1u << 2;
inline constexpr unsigned kReadOnly = 1u << 3;
inline constexpr unsigned kAlignRight = 1u << 5;
inline constexpr unsigned kAlignCenter = 1u << 6;
inline constexpr unsigned kCenterVertically = 1u << 7;
inline constexpr unsigned kStaticEdge = 1u << 9;
inline constexpr unsigned kDefaultButton = 1u << 10;

inline constexpr unsigned kEntryEdit = kVisible | kBorder | kTabStop;
inline constexpr unsigned kReadOnlyEdit = kEntryEdit | kReadOnly;
inline constexpr unsigned kRightLabel = kVisible | kAlignRight;
inline constexpr unsigned kPushButton = kVisible | kTabStop;
inline constexpr unsigned kHiddenPushButton = kTabStop;
inline constexpr unsigned kPicture = kVisible;
}  // namespace style

inline constexpr int kNoControlId = -1;

struct ControlTemplate {
  ControlKind kind;
  int id;                 // kNoControlId for none
  std::string_view text;  // a picture's image resource
  int x, y, width, height;
  unsigned style;
  int buddy = 0;          // a label's field, so that screen readers name the field by it
  int imageWidth = 0;     // a picture's nominal size in pixels at the 8-point dialog font
  int imageHeight = 0;
  std::string_view spokenName = {};  // what a screen reader names an unlabelled field, or a picture's words
};

struct DialogTemplate {
  int id;
  std::string_view title;
  int width, height;
  std::span<const ControlTemplate> controls;
};

}  // namespace varnolix
