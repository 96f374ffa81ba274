#include "main/control_panel_page.h"

#include "main/page_table.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {

const std::array<Applet, kAppletCount> kApplets = {{
    {"Специальные возможности", "access.cpl"},
    {"Установка/удаление оборудования", "hdwwiz.cpl"},
    {"Установка/удаление программ", "appwiz.cpl"},
    {"Темы рабочего стола", "themes.cpl"},
    {"DirectX", "directx.cpl"},
    {"Экран", "desk.cpl"},
    {"E-mail", "mlcfg32.cpl"},
    {"Факс", "fax.cpl"},
    {"Игровые устройства", "joy.cpl"},
    {"HSP модем", "ptctrl.cpl"},
    {"ИК-устройства", "infrared.cpl"},
    {"Интернет", "Inetcpl.cpl"},
    {"Модемы", "modem.cpl"},
    {"Мышь", "main.cpl"},
    {"Мультимедиа", "mmsys.cpl"},
    {"Сеть", "netcpl.cpl"},
    {"ODBC", "odbccp32.cpl"},
    {"Пароли", "password.cpl"},
    {"Управление электропитанием", "powercfg.cpl"},
    {"Языки и стандарты", "intl.cpl"},
    {"Сканеры и камеры", "sticpl.cpl"},
    {"Звуки", "mmsys.cpl sounds"},
    {"Система", "sysdm.cpl"},
    {"Набор номера", "telephon.cpl"},
    {"Дата и время", "timedate.cpl"},
}};

namespace {

// Profile values are read into a buffer of 255 characters: longer values are cut to 254.
constexpr std::size_t kProfileValueMax = 254;

}  // namespace

AppletList::AppletList(PageContext& context, ui::Container& parent) : context_(context) {
  ui::ControlArgs args{.id = IDC_APPLETS_LIST};
  // Six whole rows of 16 pixels inside the border.
  args.rect = {kFrameRowLeft, kFrameRowTop, 285, 100};
  list_ = context.toolkit.CreateCheckList(parent, args);
  // The items stand cleared until the list is filled.
  for (const Applet& applet : kApplets) list_->AddItem(applet.caption);
  list_->on_item_check = ui::Trapped(&AppletList::OnItemCheck, this);
  BindItems(context, *list_, parent, [](int item) {
    return std::vector<std::string>{"control.ini [" + std::string(kDontLoad) + "] " +
                                    kApplets.at(static_cast<std::size_t>(item)).key};
  });
  list_->SetItemTooltip([this](int item) {
    return ui::TrapText([&] {
      if (item < 0 || item >= kAppletCount) return std::string();
      return registry::DescribeProfileLine(context_.platform.profile, "control.ini", ControlIni(),
                                           kDontLoad, kApplets[item].key);
    });
  });
}

std::string AppletList::ControlIni() {
  return context_.platform.system.WindowsDirectory() + "\\control.ini";
}

void AppletList::Load() {
  const std::string ini = ControlIni();
  for (int i = kAppletCount - 1; i >= 0; --i) {
    ui::Trap([&] {
      std::string value = context_.platform.profile.GetString(kDontLoad, kApplets[i].key, "", ini);
      if (value.size() > kProfileValueMax) value.resize(kProfileValueMax);
      list_->SetItemChecked(i, value.empty());
    });
  }
}

void AppletList::OnItemCheck(int item) {
  if (item < 0 || item >= kAppletCount) return;
  // The Windows directory is asked for at every change.
  context_.platform.profile.WriteString(kDontLoad, kApplets[item].key,
                                        list_->ItemChecked(item) ? "" : "no", ControlIni());
}

ControlPanelPage::ControlPanelPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  AddGroup(Group::kSystemOption, "Отображать в \"Свойства: Система\"", {8, 38, 305, 96});
  AddGroup(Group::kScreenOption, "Отображать в \"Свойства: Экран\"", {8, 138, 305, 114});
  AddGroup(Group::kPasswordOption, "Отображать в \"Пароли\"", {320, 38, 305, 78});
  AddGroup(Group::kPrinterOption, "Отображать в \"Принтеры\"", {320, 120, 305, 78});
  AddGroup(Group::kNetworkOption, "Отображать в \"Свойства: Сеть\"", {320, 202, 305, 78});
  ui::Frame& applets =
      AddFrame(IDC_APPLETS_FRAME, "Отображаемые апплеты Control Panel", {8, 256, 305, 136});
  applets_ = std::make_unique<AppletList>(context, applets);
  AddLabel(frame, IDC_CONTROL_PANEL_NOTE,
           "Данная вкладка контролирует отображение апплетов в Панели Управления и отображаемые в "
           "них опции.",
           {328, 292, 290, 44});
  AddPart(*applets_, StartStep::kAppletList);
}

std::unique_ptr<Page> MakeControlPanelPage(PageContext& context, ui::Frame& frame) {
  return std::make_unique<ControlPanelPage>(context, frame);
}

}  // namespace vireo::main
