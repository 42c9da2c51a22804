#pragma once

// One executable holds every QtTest class of a layer: each class registers itself here and
// ctest runs one class per test ("test_link ReplyOwnershipTest"), which keeps the build to
// one link per layer while each class still passes or fails on its own.

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tessel::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<std::string, TestFactory> &testClasses() {
    static std::map<std::string, TestFactory> classes;
    return classes;
}

struct TestRegistration {
    TestRegistration(const char *name, TestFactory factory) {
        testClasses().emplace(name, std::move(factory));
    }
};

} // namespace tessel::testing

// Registers a QtTest class; the name is what ctest passes to select it.
#define TESSEL_TEST_CLASS(Class)                                                                   \
    static const tessel::testing::TestRegistration registration##Class(                            \
        #Class, [] { return std::make_unique<Class>(); });
