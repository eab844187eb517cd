// The window tests run the real windows on an offscreen screen. Qt warnings are collected, and a
// test that caused one outside the known start-up noise fails (a page outliving its profile, a
// wrong connect, a missing picture all show up as warnings first).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "window_rig.h"

namespace {

QtMessageHandler previousHandler = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        zelidor::test::WindowRig::warnings().append(text);
    }
    previousHandler(type, context, text);
}

bool onlyListing(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Listing the tests needs no application, and no screen.
    bool listing = onlyListing(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (listing) {
        return RUN_ALL_TESTS();
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    previousHandler = qInstallMessageHandler(recordWarning);
    int result = 0;
    {
        zelidor::test::WindowRig::Environment environment;
        result = RUN_ALL_TESTS();
    }
    return result;
}
