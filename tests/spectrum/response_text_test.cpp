#include "spectrum/response_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zt {
namespace {

TEST(ResponseText, ReadsTheCommonForms) {
    struct Case {
        const char* name;
        std::string text;
        MeasuredResponse expected;
    };
    const MeasuredResponse two{{20.0, -3.5}, {1000.0, 0.25}};
    const Case cases[] = {
        {"measurement tool export with phase",
         "* Measurement data measured by a tool\n* Source: Line in\n"
         "* Freq(Hz) SPL(dB) Phase(degrees)\n20.000000 -3.500 -12.5\n1000.000000 0.250 4.0\n",
         two},
        {"tabs, CRLF and a byte order mark",
         "\xEF\xBB\xBF"
         "20\t-3.5\r\n1000\t0.25\r\n",
         two},
        {"commas and spaces", "20, -3.5\n  1000 ,0.25 , 7, 8\n", two},
        {"hash comments, blank lines, plus signs", "# comment\n\n20 -3.5\n# mid\n+1e3 +0.25\n\n",
         two},
        {"a header line before the points", "Frequency, Magnitude\n1/48 octave\n20 -3.5\n1000 0.25",
         two},
    };
    for (const Case& c : cases) {
        const ResponseTextReading r = ReadResponseText(c.text);
        EXPECT_EQ(r.error, ResponseTextError::None)
            << c.name << ": " << DescribeResponseTextError(r);
        EXPECT_EQ(r.response, c.expected) << c.name;
    }
}

TEST(ResponseText, NamesTheLineOfADamagedFile) {
    struct Case {
        std::string text;
        ResponseTextError error;
        int line;
    };
    const Case cases[] = {
        {"", ResponseTextError::NoPoints, 0},
        {"* only comments\nFreq SPL\n", ResponseTextError::NoPoints, 0},
        {"20 1\n", ResponseTextError::NoPoints, 0},
        {"20 1\n30 x\n", ResponseTextError::BadNumber, 2},
        {"20 1\n30 2\ngarbage 3\n", ResponseTextError::BadNumber, 3},
        {"20 1\n30 2dB\n", ResponseTextError::BadNumber, 2},
        {"20 1\n30 +-2\n", ResponseTextError::BadNumber, 2},
        {"20 1\n30\n", ResponseTextError::MissingLevel, 2},
        {"20 1\n30 ,\n", ResponseTextError::MissingLevel, 2},
        {"0 1\n30 2\n", ResponseTextError::OutOfRange, 1},
        {"-20 1\n30 2\n", ResponseTextError::OutOfRange, 1},
        {"20 1\n30 nan\n", ResponseTextError::OutOfRange, 2},
        {"20 inf\n30 1\n", ResponseTextError::OutOfRange, 1},
        {"20 1\n30 1e400\n", ResponseTextError::BadNumber, 2},
        {"20 1\n2e6 1\n", ResponseTextError::OutOfRange, 2},
        {"20 1\n30 -600\n", ResponseTextError::OutOfRange, 2},
        {"20 1\n30 2\n30 3\n", ResponseTextError::NotRising, 3},
        {"20 1\n\n* c\n10 2\n", ResponseTextError::NotRising, 4},
        {std::string("20 1\n30\0 2\n", 11), ResponseTextError::BadNumber, 2},
    };
    for (const Case& c : cases) {
        const ResponseTextReading r = ReadResponseText(c.text);
        EXPECT_EQ(r.error, c.error) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text;
        EXPECT_TRUE(r.response.empty()) << c.text;
        EXPECT_FALSE(DescribeResponseTextError(r).empty());
    }
}

TEST(ResponseText, RefusesMorePointsThanItHolds) {
    std::string text;
    for (std::size_t i = 1; i <= kResponseTextMostPoints + 1; ++i) {
        text += std::to_string(i) + " 0\n";
    }
    const ResponseTextReading r = ReadResponseText(text);
    EXPECT_EQ(r.error, ResponseTextError::TooManyPoints);
    EXPECT_EQ(r.line, static_cast<int>(kResponseTextMostPoints) + 1);
}

TEST(ResponseText, BinaryJunkIsNoResponse) {
    std::string junk(100000, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 7919 % 251);
    EXPECT_NE(ReadResponseText(junk).error, ResponseTextError::None);
    // A megabyte of digits is no number that fits a double: a header, then no points.
    EXPECT_EQ(ReadResponseText(std::string(1 << 20, '9')).error, ResponseTextError::NoPoints);
}

TEST(ResponseText, AWrittenResponseReadsBackEqual) {
    MeasuredResponse response;
    for (int i = 0; i < 479; ++i) {
        response.push_back(
            {20.0 * std::exp2(i / 48.0), std::sin(i * 0.37) * 12.345678901234 - 1e-9});
    }
    response.push_back({23999.999999999996, -199.99999999999997});
    const std::string text =
        WriteResponseText(response, {"Room measurement", "Smoothing: 1/6\noctave"});
    EXPECT_TRUE(
        text.starts_with("* Room measurement\n* Smoothing: 1/6 octave\n* Freq(Hz) SPL(dB)\n"))
        << text.substr(0, 80);
    const ResponseTextReading back = ReadResponseText(text);
    ASSERT_EQ(back.error, ResponseTextError::None) << DescribeResponseTextError(back);
    EXPECT_EQ(back.response, response);
}

}  // namespace
}  // namespace zt
