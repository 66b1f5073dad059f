// Status and error handling.
#include <gtest/gtest.h>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using ipltest::ErrorCapture;

int32_t returnsSeven(int32_t, const char*, const char*, const char*, int32_t) { return 7; }

TEST(ErrorHandling, StatusZeroClearsTheStatusWithoutCallingTheHandler) {
    ErrorCapture capture;
    iplSetErrStatus(-5);
    EXPECT_EQ(iplError(0, "f", "c", "u", 1), 0);
    EXPECT_EQ(iplGetErrStatus(), 0);
    EXPECT_TRUE(capture.empty());
}

TEST(ErrorHandling, TraceStatusesReachTheHandlerButKeepTheStoredStatus) {
    ErrorCapture capture;
    for (int32_t trace : {-1, -8}) {
        iplSetErrStatus(-5);
        iplError(trace, "iplFoo", "ctx", "unit", 3);
        EXPECT_EQ(iplGetErrStatus(), -5);
        ASSERT_FALSE(capture.empty());
        EXPECT_EQ(capture.last().status, trace);
        EXPECT_EQ(capture.last().func, "iplFoo");
        EXPECT_EQ(capture.last().context, "ctx");
        EXPECT_EQ(capture.last().file, "unit");
    }
}

TEST(ErrorHandling, FailureIsStoredAndTheHandlersResultReturned) {
    ErrorCapture capture;
    IplErrorCallback before = iplRedirectError(&returnsSeven);
    EXPECT_EQ(iplError(-4, "f", "c", "u", 1), 7);
    EXPECT_EQ(iplGetErrStatus(), -4);
    iplRedirectError(before);
}

TEST(ErrorHandling, RedirectingToNullInstallsTheDefaultHandler) {
    IplErrorCallback original = iplRedirectError(&returnsSeven);
    EXPECT_EQ(iplRedirectError(nullptr), &returnsSeven);
    EXPECT_EQ(iplRedirectError(nullptr), &iplDefaultErrorReport);
    iplRedirectError(original);
}

TEST(ErrorHandling, ModeStartsAtZero) { EXPECT_EQ(iplGetErrMode(), 0); }

TEST(ErrorHandlingDeathTest, DefaultHandlerEndsTheProcessWithCodeOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            iplRedirectError(nullptr);
            iplError(-5, "f", "c", "u", 1);
        },
        ::testing::ExitedWithCode(1), "");
}

struct TextCase {
    int32_t status;
    const char* text;
};

TEST(ErrorHandling, StatusTextsAreTheLibrarys) {
    const TextCase cases[] = {
        {0, "No Error"},
        {-1, "Backtrace"},
        {-2, "Unknown error or status code"},
        {-4, "Insufficient memory"},
        {-9, "Null pointer to an image header"},
        {-26, "Mask image is taled"},
        {-31, "Incorrect filter ofset value"},
        {-32, "Unknown error or status code"},
        {-109, "Unknown error or status code"},
        {-116, "Mask. Number of channels for 1U depth image must be one"},
        {-117, "Mask. Incorrect depth value in the image header"},
        {-122, "Unknown error or status code"},
        {-125, "Mask. Incorrect size of ROI in the image header"},
        {-126, "Unknown error or status code"},
        {1, "Unknown error or status code"},
    };
    for (const TextCase& c : cases) EXPECT_STREQ(ownStatusText(c.status), c.text) << c.status;
}

}  // namespace
