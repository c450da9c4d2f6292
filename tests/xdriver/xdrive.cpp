// xdrive.cpp -- the X11 driver for scripts: wait for a window, read its size and pixels, type, close it
#include "Driver.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "usage: xdrive wait TITLE [SECONDS]\n"
    "       xdrive size TITLE\n"
    "       xdrive pixel TITLE X Y\n"
    "       xdrive screenshot TITLE FILE.png\n"
    "       xdrive key TITLE KEYSYM press|release|tap\n"
    "       xdrive close TITLE\n"
    "       xdrive banner TITLE\n";

// Long enough for a program at a few frames per second to draw one.
const std::chrono::milliseconds repaintTimeout(5000);

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int Number(const std::string& text)
{
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw UsageError("not a number: " + text);
    return value;
}

xdriver::WindowId Existing(xdriver::Driver& x, const std::string& title)
{
    if (std::optional<xdriver::WindowId> window = x.FindWindow(title))
        return *window;
    throw xdriver::Error("no window titled \"" + title + "\"");
}

// A capture of a window that may start off the screen or under another: a fresh frame after bringing it up.
xdriver::Image Frame(xdriver::Driver& x, const std::string& title)
{
    const xdriver::WindowId window = Existing(x, title);
    if (x.BringIntoView(window))
        return x.WaitForRepaint(window, repaintTimeout);
    return x.Capture(window);
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        throw UsageError("missing command or title");
    const std::string& command = args[0];
    const std::string& title = args[1];
    const std::size_t count = args.size();
    xdriver::Driver x;

    if (command == "wait" && (count == 2 || count == 3)) {
        const int seconds = count == 3 ? Number(args[2]) : 10;
        const xdriver::WindowId window = x.WaitForWindow(title, std::chrono::seconds(seconds));
        std::printf("0x%lx\n", window);
        return 0;
    }
    if (command == "size" && count == 2) {
        const xdriver::Geometry client = x.ClientGeometry(Existing(x, title));
        std::printf("%d %d\n", client.width, client.height);
        return 0;
    }
    if (command == "pixel" && count == 4) {
        const int px = Number(args[2]), py = Number(args[3]);
        const xdriver::Image image = Frame(x, title);
        if (px < 0 || py < 0 || px >= image.Width() || py >= image.Height())
            throw xdriver::Error("pixel " + args[2] + "," + args[3] + " is outside the " +
                                 std::to_string(image.Width()) + "x" + std::to_string(image.Height()) + " window");
        std::printf("%s\n", ToString(image.At(px, py)).c_str());
        return 0;
    }
    if (command == "screenshot" && count == 3) {
        if (!Frame(x, title).SavePng(args[2]))
            throw xdriver::Error("cannot save " + args[2]);
        return 0;
    }
    if (command == "key" && count == 4) {
        const std::string& action = args[3];
        if (action != "press" && action != "release" && action != "tap")
            throw UsageError("key action must be press, release or tap, not " + action);
        x.Focus(Existing(x, title));
        if (action != "release")
            x.PressKey(args[2]);
        if (action != "press")
            x.ReleaseKey(args[2]);
        return 0;
    }
    if (command == "close" && count == 2) {
        x.RequestClose(Existing(x, title));
        return 0;
    }
    if (command == "banner" && count == 2) {
        switch (ReadBanner(Frame(x, title))) {
        case xdriver::Banner::win:
            std::printf("win\n");
            return 0;
        case xdriver::Banner::lose:
            std::printf("lose\n");
            return 0;
        case xdriver::Banner::none:
            break;
        }
        std::fprintf(stderr, "xdrive: no end banner in \"%s\"\n", title.c_str());
        return 1;
    }
    throw UsageError("unknown command or wrong number of arguments: " + command);
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "xdrive: " << error.what() << "\n" << usage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "xdrive: " << error.what() << "\n";
        return 1;
    }
}
