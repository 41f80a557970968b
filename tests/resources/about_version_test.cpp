// The About box names the project version, cut to major.minor.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"
#include "varnolix/version.h"

namespace varnolix::resources {
namespace {

std::string_view ProductText() {
  const auto& controls = kAboutDialog.controls;
  const auto product = std::find_if(controls.begin(), controls.end(),
                                    [](const ControlTemplate& c) { return c.id == ids::about::kProductText; });
  return product == controls.end() ? std::string_view() : product->text;
}

TEST(AboutVersion, FirstLineIsTheProductAndTheProjectVersionsMajorAndMinor) {
  const std::string_view version = kVersion;
  const size_t minorEnd = version.find('.', version.find('.') + 1);
  const std::string expected = "Varnolix " + std::string(version.substr(0, minorEnd)) + "\n";
  EXPECT_TRUE(ProductText().starts_with(expected)) << ProductText();
}

}  // namespace
}  // namespace varnolix::resources
