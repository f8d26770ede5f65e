#include "platform/ui/dialog_controls.h"

#include <algorithm>

namespace tolva::ui {

bool TabSheet::Active() const {
  if (owner == nullptr) return true;
  const auto& pages = owner->Pages();
  const int index = static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
  return index == owner->ActivePageIndex();
}

bool TabSheet::Usable() const { return Active() && Control::Usable(); }

void TabControl::AddPage(TabSheet& page) {
  page.parent = this;
  page.owner = this;
  pages_.push_back(&page);
}

void TabControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || index == activePage_) return;
  activePage_ = index;
  Notify(Property::ActivePage);
}

void TabControl::PageChosen(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || index == activePage_) return;
  activePage_ = index;
  Notify(Property::ActivePage);
  if (OnChange) OnChange();
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Notify(Property::Checked);
  Control::Click();
}

void CheckListBox::ItemToggled(std::size_t index) {
  if (items == nullptr || index >= items->Count()) return;
  items->SetChecked(index, !items->Checked(index));
  Notify(Property::Items);
  if (OnClickCheck) OnClickCheck(index);
}

Button* DialogButton(const Form& form, unsigned key) {
  if (key != VkReturn && key != VkEscape) return nullptr;
  for (Control* control : form.controls) {
    auto* button = dynamic_cast<Button*>(control);
    if (button != nullptr && (key == VkReturn ? button->isDefault : button->isCancel) &&
        button->Usable()) {
      return button;
    }
  }
  return nullptr;
}

bool OpenDialog::Execute(platform::FileDialogs& dialogs, platform::WindowHandle owner) {
  platform::OpenFileRequest request{owner,        title,        filters,       filterIndex, fileName,
                                    initialDir,   hideReadOnly, pathMustExist, fileMustExist,
                                    resizable};
  if (!dialogs.GetOpenFileNameA(request)) return false;
  fileName = request.fileName;
  return true;
}

}  // namespace tolva::ui
