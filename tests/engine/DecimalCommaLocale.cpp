// The whole engine test program runs in the process locale of its environment (the test set-up
// gives it a decimal-comma locale), as the plug-in does once the host's Qt application has set
// the locale. Numbers the engine writes must still use a point.
#include <gtest/gtest.h>

#include <clocale>

namespace {

class DecimalCommaLocale : public ::testing::Environment {
public:
    void SetUp() override { std::setlocale(LC_ALL, ""); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new DecimalCommaLocale);

} // namespace
