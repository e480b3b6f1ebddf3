// Dialog layouts: About, travel to a point, the two star-name dialogs, the
// view direction and the options.
#include "shell/DialogLayouts.h"

#include <algorithm>
#include <iterator>

#include "interaction/CommandIds.h"

namespace {

using R = DialogRowKind;

constexpr DialogRow kAboutRows[] = {
    {R::IconText, "Vantaro Version 1.0", 0, nullptr},
};

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
    {dlg::kAbout, "About Vantaro", kAboutRows, DialogButtons::OkOnly},
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
