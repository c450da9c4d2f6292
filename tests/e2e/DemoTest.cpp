// DemoTest.cpp -- the demo end to end: its green circle, the input it ignores, and how it closes
#include "Harness.h"

namespace e2e {
namespace {

using xdriver::Image;

// The circle touches all four sides of the window and leaves its corners black; nothing else is drawn.
void ExpectTheCircle(const Image& frame)
{
    const int right = frame.Width() - 1, bottom = frame.Height() - 1;
    EXPECT_EQ(xdriver::green, frame.At(frame.Width() / 2, frame.Height() / 2)) << "centre";
    const std::pair<int, int> corners[] = {{0, 0}, {right, 0}, {0, bottom}, {right, bottom}};
    for (const auto& [cx, cy] : corners)
        EXPECT_EQ(xdriver::black, frame.At(cx, cy)) << "corner " << cx << "," << cy;

    const std::optional<xdriver::Box> circle = BoundsOf(frame, xdriver::green);
    ASSERT_TRUE(circle);
    EXPECT_LE(circle->left, 1);
    EXPECT_LE(circle->top, 1);
    EXPECT_GE(circle->right, right - 1);
    EXPECT_GE(circle->bottom, bottom - 1);

    int others = 0;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x)
            others += frame.At(x, y) != xdriver::green && frame.At(x, y) != xdriver::black;
    }
    EXPECT_EQ(0, others) << "pixels neither green nor black";
}

class Demo : public ProgramTest {
protected:
    void SetUp() override { Open(demo); }
};

TEST_F(Demo, DrawsAGreenCircleFillingItsWindow)
{
    const xdriver::Geometry client = x.ClientGeometry(window);
    EXPECT_EQ(200, client.width);
    EXPECT_EQ(200, client.height);
    ExpectTheCircle(Frame());
}

// Each of these is an event the demo polls and must shrug off: still open, still drawing.
TEST_F(Demo, IgnoresKeysPointerAndResizes)
{
    struct Input {
        const char* name;
        std::function<void()> send;
    };
    auto tap = [this](const char* keysym) {
        return [this, keysym] {
            x.Focus(window);
            x.PressKey(keysym);
            x.ReleaseKey(keysym);
        };
    };
    const Input inputs[] = {
        {"Escape", tap("Escape")},
        {"q", tap("q")},
        {"space", tap("space")},
        {"Return", tap("Return")},
        {"Escape held", [this] { x.Focus(window); x.PressKey("Escape"); }},
        {"pointer motion", [this] { x.MovePointer(window, 20, 30); x.MovePointer(window, 150, 160); }},
        {"resize to 300x300", [this] { x.Resize(window, 300, 300); }},
    };
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        input.send();
        // Whole frames drawn after the input: by the second the demo has polled it, and had it closed on it, the
        // third would never come.
        Image frame = x.WaitForRepaint(window, frameTimeout);
        for (int more = 0; more < 2; ++more)
            frame = x.WaitForRepaint(window, frameTimeout);
        ASSERT_TRUE(process->Running());
        ExpectTheCircle(frame);
    }
}

// Both programs end cleanly when their window's close button is clicked, and print nothing.
class CloseRequest : public ProgramTest, public ::testing::WithParamInterface<Program> {
};

TEST_P(CloseRequest, EndsTheProgramWithStatusZero)
{
    LinkFont();
    Open(GetParam());
    const xdriver::ExitStatus status = CloseAndWait();
    EXPECT_EQ(0, status.code) << Describe(status);
    EXPECT_EQ("", Stdout());
}

INSTANTIATE_TEST_SUITE_P(Programs, CloseRequest, ::testing::Values(demo, game),
                         [](const ::testing::TestParamInfo<Program>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
