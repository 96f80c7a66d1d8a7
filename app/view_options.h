#pragma once
// The "&View" menu's toggles: what the view draws besides the plain
// picture, and whether it scales the picture with the window. All start off
// and are kept between runs, beside the recent-file list.
#include "render/decomposition_picture.h"

namespace zenphal {

struct ViewOptions {
  bool regionNumbers = false;  // "Region Numbers"
  bool colourRegions = false;  // "Colour Regions"
  bool axisValues = false;     // "Axis Values"
  bool fitPicture = false;     // "Fit Picture to Window"
  bool colourByAgreement = false;  // "Colour by Agreement" (documents with a reference alignment)

  bool operator==(const ViewOptions&) const = default;
  // What the picture draws with these toggles; the agreement fills need the
  // document's values (CZENPHView adds them).
  PictureOptions Picture() const;
};

// The settings' group and keys: "View/Region Numbers", ...
inline constexpr const char* kViewSettingsGroup = "View";

ViewOptions LoadViewOptions();
void SaveViewOptions(const ViewOptions& options);

}  // namespace zenphal
