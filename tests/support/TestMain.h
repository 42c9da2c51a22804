// SPDX-License-Identifier: Apache-2.0
#pragma once

// One test executable per area: each test object registers itself with TESSEL_TEST_OBJECT,
// and the area's main runs the objects whose class names its arguments give (all when none
// does), so that CTest can run them as separate tests in parallel. Every other argument goes
// to QtTest.

#include <QList>
#include <QObject>
#include <QStringList>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace tessel::testing {

using TestObjectFactory = std::function<std::unique_ptr<QObject>()>;

inline QList<TestObjectFactory> &testObjects() {
    static QList<TestObjectFactory> factories;
    return factories;
}

inline int runTestObjects(int argc, char **argv) {
    std::vector<std::unique_ptr<QObject>> objects;
    for (const TestObjectFactory &make : testObjects())
        objects.push_back(make());
    QStringList wanted;
    QStringList qtestArguments{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const bool isObject = std::any_of(objects.begin(), objects.end(), [&](const auto &o) {
            return argument == QLatin1String(o->metaObject()->className());
        });
        (isObject ? wanted : qtestArguments) << argument;
    }
    int failed = 0;
    for (const auto &object : objects) {
        if (wanted.isEmpty() || wanted.contains(QLatin1String(object->metaObject()->className())))
            failed += QTest::qExec(object.get(), qtestArguments);
    }
    return failed;
}

} // namespace tessel::testing

#define TESSEL_TEST_OBJECT(Class)                                                                  \
    static const bool registered##Class = [] {                                                     \
        tessel::testing::testObjects().push_back([] { return std::make_unique<Class>(); });        \
        return true;                                                                               \
    }()
