#include "app/about_box.h"

#include "app/main_form.h"
#include "engine/help_topic.h"
#include "engine/web_page.h"
#include "resources/resource_ids.h"

namespace tolva::app {
namespace {

constexpr ui::Colour Silver{192, 192, 192};
constexpr ui::Colour Aqua{0, 255, 255};
constexpr ui::Colour Blue{0, 0, 255};

void Place(ui::Control& control, ui::Control* parent, ui::Bounds bounds, std::string caption,
           std::string hint = {}) {
  control.parent = parent;
  control.SetBounds(bounds);
  control.SetCaption(std::move(caption));
  control.SetHint(std::move(hint));
}

}  // namespace

MemoryFigures ReadMemoryFigures(platform::Kernel& kernel) {
  if (const auto status = kernel.GlobalMemoryStatusEx()) return {status->memoryLoad, status->totalPhys};
  platform::MemoryStatus status;
  status.length = platform::MemoryStatusSize;
  kernel.GlobalMemoryStatus(status);
  return {status.memoryLoad, status.totalPhys};
}

std::string PhysicalMemoryText(std::uint64_t totalPhysBytes, std::string_view thousandSeparator) {
  const std::string digits = std::to_string(totalPhysBytes >> 10);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandSeparator;
    text += digits[i];
  }
  return text + " KB";
}

std::string MemoryLoadText(std::uint32_t memoryLoad) { return std::to_string(memoryLoad) + " %"; }

TAboutBox::TAboutBox(ui::Application& application, platform::Platform& platform, ProgramState& state)
    : ui::Form("AboutBox", application), platform_(platform), state_(state) {
  SetCaption("About Tolva R. Quenlar (TM)");
  border = ui::BorderStyle::Dialog;
  clientSize = {320, 313};
  colour = Silver;
  centred = true;
  helpContext = AboutBoxHelpContext;
  firstFocus = &OKButton;

  const std::string visitTolva = "Click here to visit Tolva now";
  const std::string visitMaker = "Click here to visit " + std::string(engine::MakerSiteName) + " now";
  const std::string memoryInUse = "Current percentage of physical memory in use by all open applications";

  Place(OKButton, nullptr, {123, 281, 75, 25}, "OK", "Click here to close this dialog box");
  OKButton.isDefault = true;
  Place(Panel1, nullptr, {8, 8, 304, 264}, "");
  Panel1.colour = Aqua;
  Panel1.bevelOuter = ui::BevelCut::None;
  Panel1.bevelInner = ui::BevelCut::Lowered;
  Place(Panel2, &Panel1, {11, 9, 283, 54}, "", visitTolva);
  Panel2.colour = Blue;
  Panel2.bevelOuter = ui::BevelCut::Lowered;
  Panel2.bevelInner = ui::BevelCut::Lowered;
  Panel2.cursor = ui::Cursor::HandPoint;
  Place(TolvaImage, &Panel2, {17, 9, 32, 32}, "", visitTolva);
  TolvaImage.pictureResource = TOLVA_BITMAP_TOLVA;
  Place(TolvaNameImage, &Panel2, {60, 10, 209, 30}, "", visitTolva);
  TolvaNameImage.pictureResource = TOLVA_BITMAP_TOLVA_NAME;
  Place(MarrowbyImage, &Panel1, {72, 138, 168, 25}, "", visitMaker);
  MarrowbyImage.pictureResource = TOLVA_BITMAP_MARROWBY_SITE;
  for (ui::Picture* picture : {&TolvaImage, &TolvaNameImage, &MarrowbyImage}) {
    picture->cursor = ui::Cursor::HandPoint;
    picture->autoSize = true;
  }

  Place(Label1, &Panel1, {125, 72, 53, 13}, "Version 2.1");
  // The legal notice reads on across its two lines: the first, the maker's name (a link of its
  // own), then the second line.
  Place(Copyright, &Panel1, {34, 90, 110, 13}, "Copyright \xA9 2003",
        "Tolva R. Quenlar is the property of Marrowby Corporation and is protected by copyright law.");
  Place(MarrowbyLink, &Panel1, {149, 90, 117, 13}, "Marrowby Corporation", visitMaker);
  Place(Copyright2, &Panel1, {104, 109, 96, 13}, "All rights reserved.");
  Copyright2.wordWrap = true;
  for (ui::Label* link : {&Copyright, &MarrowbyLink}) {
    link->fontColour = Blue;
    link->underline = true;
    link->cursor = ui::Cursor::HandPoint;
  }
  Place(MemLabel, &Panel1, {12, 225, 163, 13}, "Memory In Use By All Applications:", memoryInUse);
  Place(Memory_Used, &Panel1, {179, 225, 68, 13}, "Memory_Used", memoryInUse);
  Place(PhysLabel, &Panel1, {12, 243, 145, 13}, "Memory Available to Windows:",
        "Physical memory available to Windows");
  // Wider to the right than the 82 pixels laid out for 4 GB: the figure shows whole up to a
  // terabyte, "1,073,741,824 KB".
  Place(Physical_Memory, &Panel1, {161, 243, PhysicalMemoryWidth, 13}, "Physical_Memory",
        "Physical memory available to Windows, in kilobytes");
  for (ui::Label* label : {&Label1, &Copyright, &MarrowbyLink, &Copyright2, &MemLabel, &PhysLabel})
    label->transparent = false;

  // Containers before the controls in them; the button first in the tab order.
  controls = {&OKButton,   &Panel1,       &Panel2,     &TolvaImage,    &TolvaNameImage,
              &Label1,     &Copyright,    &MarrowbyLink, &Copyright2,  &MarrowbyImage,
              &MemLabel,   &Memory_Used,  &PhysLabel,  &Physical_Memory};

  OKButton.OnClick = [this] { EndModal(platform::IdOk); };
  TolvaImage.OnClick = [this] { TolvaImageClick(); };
  TolvaNameImage.OnClick = [this] { TolvaNameImageClick(); };
  Panel2.OnClick = [this] { TolvaNameImageClick(); };
  MarrowbyLink.OnClick = [this] { MarrowbyLinkClick(); };
  MarrowbyImage.OnClick = [this] { MarrowbyImageClick(); };
  Copyright.OnClick = [this] { CopyrightClick(); };
  Copyright2.OnClick = [this] { CopyrightClick(); };
  OnShow = [this] { AboutShow(); };
  OnHelpKey = [this] { engine::ShowHelpContext(platform_, Handle(), helpContext); };
  OnCreate = [this] { state_.ownWindows.Set(engine::OwnWindows::Role::AboutBox, Handle()); };
}

void TAboutBox::AboutShow() {
  app.Guarded([&] {
    const MemoryFigures figures = ReadMemoryFigures(platform_.kernel);
    Physical_Memory.SetCaption(PhysicalMemoryText(figures.totalPhys, state_.region.thousandSeparator));
    Memory_Used.SetCaption(MemoryLoadText(figures.memoryLoad));
  });
}

void TAboutBox::OpenWebPage(std::string_view address) {
  // The box's own window owns both the shell's work and its failure box, so the box stays up
  // behind the warning.
  engine::OpenWebPage(platform_.shell, platform_.dialogs, Handle(), Handle(), address);
}

void TAboutBox::TolvaImageClick() { OpenWebPage(engine::ProductPageAddress); }
void TAboutBox::TolvaNameImageClick() { OpenWebPage(engine::ProductPageAddress); }
void TAboutBox::MarrowbyLinkClick() { OpenWebPage(engine::MakerHomeAddress); }
void TAboutBox::MarrowbyImageClick() { OpenWebPage(engine::MakerHomeAddress); }

void TAboutBox::CopyrightClick() {
  app.Guarded([&] {
    app.helpFile = HelpFileName;
    const platform::WindowHandle owner =
        state_.Form1 != nullptr ? state_.Form1->Handle() : platform::NullWindow;
    engine::ShowHelpTopic(platform_, owner, app.helpFile, CopyrightHelpTopic);
  });
}

}  // namespace tolva::app
