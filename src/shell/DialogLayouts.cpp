// Dialog layouts: About, travel to a point, the two star-name dialogs, the
// view direction and the options.
#include "shell/DialogLayouts.h"

#include <algorithm>
#include <iterator>

#include "interaction/CommandIds.h"

namespace {

using R = DialogRowKind;

// The About box's template: 217 x 49 units, OK to the right of the text.
constexpr DialogPlacement kAboutPlacement{"Vantaro Version 1.0", 217, 49, {11, 13, 0, 0}, {40, 10, 119, 8},
                                          {178, 7, 32, 14}};

constexpr DialogRow kCoordinateRows[] = {
    {R::Edit, "X:", ctl::kEditX, nullptr},
    {R::Edit, "Y:", ctl::kEditY, nullptr},
    {R::Edit, "Z:", ctl::kEditZ, nullptr},
};

constexpr DialogRow kStarNameRows[] = {
    {R::Edit, "&Name:", ctl::kEditName, nullptr},
    {R::Check, "Also &Durchmusterung designations", ctl::kCheckDesignations, nullptr},
};

constexpr DialogRow kDirectionRows[] = {
    {R::Edit, "U:", ctl::kEditU, nullptr},
    {R::Edit, "V:", ctl::kEditV, nullptr},
};

constexpr DialogRow kOptionsRows[] = {
    {R::Edit, "&Magnitude time tolerance:", ctl::kEditTolerance, "ms"},
};

constexpr DialogLayout kLayouts[] = {
    {dlg::kAbout, "About Vantaro", {}, {}, &kAboutPlacement},
    {dlg::kTravelToPoint, "Enter Coordinates", kCoordinateRows, DialogButtons::OkCancel},
    {dlg::kTravelToStar, "Enter Name", kStarNameRows, DialogButtons::OkCancel},
    {dlg::kViewToStar, "Enter Name", kStarNameRows, DialogButtons::OkCancel},
    {dlg::kViewDirection, "Enter Coordinates", kDirectionRows, DialogButtons::OkCancel},
    {dlg::kOptions, "Options", kOptionsRows, DialogButtons::CancelOk},
};

}  // namespace

const DialogLayout* FindDialogLayout(int templateId) {
  const auto found = std::find_if(std::begin(kLayouts), std::end(kLayouts),
                                  [templateId](const DialogLayout& l) { return l.templateId == templateId; });
  return found == std::end(kLayouts) ? nullptr : found;
}
