// The Control Panel page's applet list lstApplets, which mirrors the section "Don't Load" of
// control.ini: a cleared applet has the value "no" there, a ticked one an empty value.
#include "harness.h"
#include "input.h"
#include "pages.h"
#include "resource.h"

namespace driver {

namespace {

constexpr int kAccess = 0;     // "Специальные возможности", access.cpl
constexpr int kDateTime = 24;  // "Дата и время", timedate.cpl
constexpr int kBoxX = 8;       // inside the check mark at the left of an item

bool expectItem(const Control& list, int index, bool ticked, const std::string& when) {
  const char* wanted = ticked ? "ticked" : "cleared";
  const char* found = itemState(list.window, index);
  return expect(std::string(found) == wanted,
                when + ": " + quoted(itemText(list.window, index)) + " is " + wanted, found);
}

}  // namespace

void checkApplets(PageRun& run) {
  Control list{IDC_LST_APPLETS, "the applet list"};
  if (!find(run.shell.main, {&list})) return;
  const std::string start = "after start";
  check(ask(list.window, LB_GETCOUNT) == 25 &&
            itemText(list.window, kAccess) == "Специальные возможности",
        start + ": " + list.name + " holds the 25 applets, \"Специальные возможности\" first");
  expectItem(list, kAccess, true, start);
  expectItem(list, kDateTime, false, start + " (timedate.cpl=no)");

  for (bool ticked : {false, true}) {
    const std::string when = std::string("after a click on the check mark ") +
                             (ticked ? "ticking" : "clearing") + " \"Специальные возможности\"";
    clickItem(list.window, kAccess, kBoxX);  // one that was not taken shows in what follows
    expectItem(list, kAccess, ticked, when);
    const std::string value = dontLoad("access.cpl");
    const char* wanted = ticked ? "" : "no";
    expect(value == wanted, when + ": control.ini has access.cpl=" + wanted, quoted(value));
    expect(dontLoad("timedate.cpl") == "no",
           when + ": the other applets are left alone (timedate.cpl=no)",
           quoted(dontLoad("timedate.cpl")));
    expectItem(list, kDateTime, false, when);
    expectState(pageRows(), run.now, when + ": the registry is untouched");
  }
}

}  // namespace driver
