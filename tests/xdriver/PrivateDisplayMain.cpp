// PrivateDisplayMain.cpp -- main of the test programs that show windows: each run has an X server of its own, so
// ctest runs them side by side. Listing the tests (how ctest finds them) needs no server. With
// PELMORA_SHARED_DISPLAY set, the tests use the X server in DISPLAY instead (Wine keeps its desktop on the server
// it was started on, so the programs it runs belong there too).
#include "XServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<xdriver::XServer> server;
    if (!::testing::GTEST_FLAG(list_tests) && !xdriver::SharedDisplayRequested()) {
        try {
            server = std::make_unique<xdriver::XServer>();
        } catch (const std::exception& error) {
            std::cerr << error.what() << std::endl;
            return 1;
        }
        setenv("DISPLAY", server->Display().c_str(), 1);
    }
    const int failed = RUN_ALL_TESTS();
    if (server)
        server->EndWithThisProcess();
    return failed;
}
