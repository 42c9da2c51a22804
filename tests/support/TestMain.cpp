// Runs the registered QtTest class named by the first argument, passing the rest to QtTest;
// without a name, runs them all.

#include "support/TestRegistry.h"

#include <QtTest>
#ifdef TESSEL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv) {
    TestApplication app(argc, argv);
    const auto &classes = tessel::testing::testClasses();
    std::vector<char *> args{argv[0]};
    std::vector<std::string> chosen;
    if (argc > 1 && classes.count(argv[1]) != 0) {
        chosen.emplace_back(argv[1]);
        args.insert(args.end(), argv + 2, argv + argc);
    } else if (argc > 1 && argv[1][0] != '-') {
        qCritical("no test class %s", argv[1]);
        return 2;
    } else {
        for (const auto &entry : classes)
            chosen.push_back(entry.first);
        args.insert(args.end(), argv + 1, argv + argc);
    }
    int failures = 0;
    for (const std::string &name : chosen) {
        const std::unique_ptr<QObject> test = classes.at(name)();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures;
}
