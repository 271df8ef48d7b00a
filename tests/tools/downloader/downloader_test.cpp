#include <gtest/gtest.h>

#include <sstream>

#include "downloader/app_descriptor.h"
#include "downloader/downloader_program.h"
#include "downloader/package_check.h"
#include "support/temp_dir.h"

namespace cuffware::downloader {
namespace {

using cuffware::testing::TempDir;

const std::string kDescriptor =
    "[Cuffware]\r\nName=Alarm Clock\r\nDescription=Two daily alarms\r\nLine1=ALARM\r\n"
    "Line2=CLOCK\r\nVersion Required=018\r\nPAR=alarm_par_018.bin\r\n"
    "CODE=alarm_code_018.bin\r\nDB=\r\nPassword Support=YES\r\nApp Interface=\r\n";

// A code image of size bytes whose ImageSize field says field.
std::string CodeImage(size_t size, size_t field) {
    std::string image(size, '\0');
    image[0] = static_cast<char>(field & 0xFF);
    if (size > 1)
        image[1] = static_cast<char>(field >> 8);
    return image;
}

// A parameter image carrying the code image size codeSize.
std::string ParameterImage(size_t codeSize, size_t length = kParameterImageSize) {
    std::string image(length, '\x11');
    image[9] = static_cast<char>(codeSize & 0xFF);
    image[10] = static_cast<char>(codeSize >> 8);
    return image;
}

TEST(ParseAppDescriptor, ALineOutOfPlaceIsNamedWithItsNumber) {
    auto error = [](const std::string& text) {
        return ParseAppDescriptor(text, "A.app").error().Text();
    };
    EXPECT_EQ(error(""), "A.app, line 1: expected \"[Cuffware]\"");
    EXPECT_EQ(error("[Cuffware]\r\nName=x\r\nLine1=\r\n"),
              "A.app, line 3: expected \"Description=\"");
    EXPECT_EQ(error("[Cuffware]\r\nName=x\r\n"),
              "A.app, line 3: missing, expected \"Description=\"");
    EXPECT_EQ(error(kDescriptor + "Extra=1\r\n"),
              "A.app, line 12: unexpected line after \"App Interface=\"");
}

// An image's name that names a path is refused with its line: the images
// lie beside the descriptor.
TEST(ParseAppDescriptor, AnImageNamedByAPathIsRefused) {
    auto with = [](const std::string& from, const std::string& to) {
        std::string text = kDescriptor;
        text.replace(text.find(from), from.size(), to);
        return ParseAppDescriptor(text, "A.app");
    };
    EXPECT_EQ(with("PAR=alarm_par_018.bin", "PAR=..\\..\\etc\\passwd").error().Text(),
              "A.app, line 7: PAR= names a path, \"..\\..\\etc\\passwd\"; the images lie beside "
              "the descriptor");
    for (const char* code : {"/etc/passwd", "sub\\code.bin", "c:code.bin", "..", "a..b.bin"}) {
        Result<AppDescriptor> parsed = with("CODE=alarm_code_018.bin", std::string("CODE=") + code);
        ASSERT_FALSE(parsed.ok()) << code;
        EXPECT_EQ(parsed.error().line, 8) << code;
    }
    EXPECT_EQ(with("DB=\r", "DB=x/y.bin\r").error().line, 9);
    EXPECT_TRUE(with("CODE=alarm_code_018.bin", "CODE=alarm.code.018.bin").ok());
}

TEST(ImageChecks, CodeImageLengthMustMatchItsFieldAndTheBlockSize) {
    EXPECT_EQ(CodeImageProblem(CodeImage(192, 192)), std::nullopt);
    EXPECT_EQ(CodeImageProblem(CodeImage(192, 256)),
              "is 192 bytes long, but its ImageSize field says 256");
    EXPECT_EQ(CodeImageProblem(CodeImage(193, 193)), "is 193 bytes long, not a multiple of 64");
    EXPECT_EQ(CodeImageProblem(CodeImage(1, 1)),
              "is 1 bytes long, too short for its ImageSize field");
    EXPECT_EQ(ParameterImageProblem(ParameterImage(192)), std::nullopt);
    EXPECT_EQ(ParameterImageProblem(ParameterImage(192, 27)),
              "is 27 bytes long; a parameter image is 28 bytes");
    EXPECT_EQ(ImageSizeMismatch(ParameterImage(128), CodeImage(192, 192)),
              "carries the code image size 128, but the code image is 192 bytes");
}

class DownloaderTest : public ::testing::Test {
  protected:
    int Run(const std::string& descriptor) {
        std::vector<std::string> args{descriptor};
        return RunDownloader(args, out, err);
    }

    TempDir dir;
    std::ostringstream out, err;
};

TEST_F(DownloaderTest, ACompletePackageFoundWhateverTheCaseIsLoadedUnlessItsImagesDisagree) {
    dir.Write("Alarm.app", kDescriptor);
    dir.Write("ALARM_PAR_018.BIN", ParameterImage(192));
    dir.Write("alarm_code_018.bin", CodeImage(192, 192));
    EXPECT_EQ(Run(dir / "alarm.APP"), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Application: Alarm Clock\nVersion required: 018\n"
              "PAR: alarm_par_018.bin, 28 bytes\nCODE: alarm_code_018.bin, 192 bytes\n"
              "DB: none\nPackage complete: would load 2 image(s) into the watch.\n");
    EXPECT_EQ(err.str(), "");

    dir.Write("ALARM_PAR_018.BIN", ParameterImage(128));  // from an earlier build
    EXPECT_EQ(Run(dir / "alarm.APP"), kExitIncomplete);
    EXPECT_NE(err.str().find("carries the code image size 128"), std::string::npos);
}

TEST_F(DownloaderTest, EveryProblemOfAnIncompletePackageIsNamed) {
    std::string descriptor = kDescriptor;
    descriptor.replace(descriptor.find("DB="), 3, "DB=alarm_dbase_018.bin");
    dir.Write("Alarm.app", descriptor);
    dir.Write("alarm_code_018.bin", CodeImage(200, 200));
    EXPECT_EQ(Run(dir / "Alarm.app"), kExitIncomplete);
    EXPECT_EQ(err.str(), dir / "alarm_par_018.bin: not found beside the descriptor\n" +
                             dir / "alarm_dbase_018.bin: not found beside the descriptor\n" +
                             "alarm_code_018.bin: is 200 bytes long, not a multiple of 64\n"
                             "Package incomplete: 3 problem(s); nothing loaded.\n");
}

TEST_F(DownloaderTest, AMissingDescriptorLoadsNothing) {
    EXPECT_EQ(Run(dir / "none.app"), kExitIncomplete);
    EXPECT_TRUE(err.str().starts_with(dir / "none.app: cannot open: "));
}

TEST_F(DownloaderTest, ABadCommandLineIsAUsageError) {
    EXPECT_EQ(RunDownloader(std::vector<std::string>{}, out, err), kExitUsage);
    EXPECT_EQ(RunDownloader(std::vector<std::string>{"a.app", "b.app"}, out, err), kExitUsage);
    EXPECT_EQ(RunDownloader(std::vector<std::string>{"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("a stand-in for the watch SDK's downloader"), std::string::npos);
}

}  // namespace
}  // namespace cuffware::downloader
