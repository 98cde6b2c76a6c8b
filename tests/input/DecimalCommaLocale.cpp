// The process takes its locale from the environment (a decimal-comma locale in the test runs), as
// the host's user interface does, so that every number written is checked against it.
#include <gtest/gtest.h>

#include <clocale>

namespace {

class DecimalCommaLocale : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::setlocale(LC_ALL, "");
        const char* point = std::localeconv()->decimal_point;
        if (!point || point[0] != ',')
            std::fprintf(stderr, "note: the test locale does not use a decimal comma (%s)\n", point ? point : "?");
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new DecimalCommaLocale);

} // namespace
