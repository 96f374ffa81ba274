// The Active Desktop page's icon size: VScroll1 holds the negated size, so its upper arrow
// enlarges the icons; Label3 shows the size and every step writes it as text. A click on an
// arrow reaches the program as the scroll bar tells its parent: WM_VSCROLL with the bar's
// handle.
#include "harness.h"
#include "input.h"
#include "pages.h"
#include "resource.h"

namespace driver {

void checkIconSize(PageRun& run) {
  Control bar{IDC_VSCROLL1, "the icon size scroll bar VScroll1"};
  Control label{IDC_LABEL3, "the icon size Label3"};
  if (!find(run.shell.main, {&bar, &label})) return;
  // `done`: the program took the step.
  auto expectSize = [&](bool done, int size, const std::string& when) {
    const std::string text = " " + std::to_string(size);
    const LRESULT position = ask(bar.window, SBM_GETPOS);
    expect(done && windowText(label.window) == text && position == -size,
           when + ": Label3 shows " + quoted(text) + " and VScroll1 stands at " +
               std::to_string(-size),
           quoted(windowText(label.window)) + " at " + std::to_string(position));
    run.now[kPageRowIconSize] = textValue(std::to_string(size));
    expectState(pageRows(), run.now,
                when + ": the registry holds the size " + quoted(text.substr(1)));
  };
  expectSize(true, 40, "after start");
  auto click = [&](int code) {
    return send(GetParent(bar.window), WM_VSCROLL, MAKEWPARAM(code, 0),
                reinterpret_cast<LPARAM>(bar.window));
  };
  expectSize(click(SB_LINEUP), 41, "after a click on the upper arrow");
  expectSize(click(SB_LINEDOWN), 40, "after a click on the lower arrow");
  expectSize(click(SB_LINEDOWN), 39, "after another click on the lower arrow");
}

}  // namespace driver
