// XdriveTest.cpp -- the driver's command line, which scripts rely on, run against the demo's window
#include "Harness.h"

#include <SFML/Graphics/Image.hpp>

#include <fstream>
#include <sstream>

namespace e2e {
namespace {

const std::string xdrive = PELMORA_XDRIVE;

class Xdrive : public ProgramTest {
protected:
    void SetUp() override { Open(demo); }

    struct Result {
        int code;
        std::string out;
    };

    Result Run(const std::vector<std::string>& arguments)
    {
        const std::filesystem::path out = Dir() / "xdrive.out";
        xdriver::Process command(xdrive, arguments, Dir().string(), out.string(), (Dir() / "xdrive.err").string());
        const xdriver::ExitStatus status = command.Wait(exitTimeout);
        std::ifstream file(out);
        std::ostringstream text;
        text << file.rdbuf();
        return {status.code, text.str()};
    }
};

TEST_F(Xdrive, AnswersAboutTheDemosWindow)
{
    struct Case {
        std::vector<std::string> arguments;
        int code;
        std::string out;  // a prefix of what it prints
    };
    const std::string title = demo.title;
    const Case cases[] = {
        {{"wait", title, "5"}, 0, "0x"},
        {{"wait", "No such window", "0"}, 1, ""},
        {{"size", title}, 0, "200 200\n"},
        {{"pixel", title, "100", "100"}, 0, "0 255 0\n"},
        {{"pixel", title, "0", "199"}, 0, "0 0 0\n"},
        {{"pixel", title, "200", "0"}, 1, ""},
        {{"pixel", title, "one", "0"}, 2, ""},
        {{"banner", title}, 1, ""},
        {{"key", title, "Escape", "tap"}, 0, ""},
        {{"key", title, "NoSuchKey", "tap"}, 1, ""},
        {{"key", title, "Escape", "twice"}, 2, ""},
        {{"size", "No such window"}, 1, ""},
        {{"fly", title}, 2, ""},
    };
    for (const Case& row : cases) {
        std::string command;
        for (const std::string& word : row.arguments)
            command += " " + word;
        SCOPED_TRACE("xdrive" + command);
        const Result result = Run(row.arguments);
        EXPECT_EQ(row.code, result.code);
        EXPECT_EQ(row.out, result.out.substr(0, row.out.size()));
        if (row.out.empty()) {
            EXPECT_EQ("", result.out);
        }
    }
    EXPECT_TRUE(process->Running()) << "the demo ignores every key";
}

TEST_F(Xdrive, SavesAScreenshotAndClosesTheWindow)
{
    const std::filesystem::path shot = Dir() / "demo.png";
    EXPECT_EQ(0, Run({"screenshot", demo.title, shot.string()}).code);
    sf::Image saved;
    ASSERT_TRUE(saved.loadFromFile(shot.string()));
    EXPECT_EQ(200u, saved.getSize().x);
    EXPECT_EQ(200u, saved.getSize().y);
    EXPECT_EQ(sf::Color::Green, saved.getPixel(100, 100));
    EXPECT_EQ(sf::Color::Black, saved.getPixel(0, 0));

    EXPECT_EQ(0, Run({"close", demo.title}).code);
    const xdriver::ExitStatus status = process->Wait(exitTimeout);
    EXPECT_EQ(0, status.code) << Describe(status);
}

}  // namespace
}  // namespace e2e
