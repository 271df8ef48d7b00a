#include "downloader/downloader_program.h"

#include <string_view>

#include "downloader/app_descriptor.h"
#include "downloader/package_check.h"
#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/path_text.h"

namespace cuffware::downloader {

namespace {

// A descriptor is a dozen short lines.
constexpr size_t kMaxDescriptorBytes = 64 << 10;

constexpr std::string_view kUsage = "Usage: CuffwareDL DESCRIPTOR.app\n";

constexpr std::string_view kHelp =
    "CuffwareDL: a stand-in for the watch SDK's downloader, part of the Cuffware\n"
    "Builder's test road; not the real thing. It talks to no watch.\n"
    "Reads the application descriptor (\"[Cuffware]\", Name=, Description=, Line1=,\n"
    "Line2=, Version Required=, PAR=, CODE=, DB=, Password Support=, App Interface=),\n"
    "checks that the images it names lie beside it (letter case ignored), that the\n"
    "parameter image is 28 bytes and carries the code image's size, that the code\n"
    "image is as long as its ImageSize field says and a multiple of 64 bytes, and\n"
    "that a named database image exists, then prints what it would load.\n"
    "Exit status: 0 package complete, 1 incomplete, 2 bad command line.\n";

void PrintLoad(const AppDescriptor& descriptor, const PackageReport& report, std::ostream& out) {
    out << "Application: " << descriptor.Name << "\n"
        << "Version required: " << descriptor.VersionRequired << "\n";
    for (const PackageImage& image : report.images)
        out << image.key << ": " << image.name << ", " << image.size << " bytes\n";
    if (descriptor.DatabaseImage.empty())
        out << "DB: none\n";
}

}  // namespace

int RunDownloader(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kHelp << kUsage;
        return 0;
    }
    if (args.size() != 1 || args[0].starts_with("-")) {
        err << "expected one application descriptor\n" << kUsage;
        return kExitUsage;
    }

    const std::string& pathText = args[0];
    std::string path = HostPath(pathText);
    Result<std::string> text = DiskFileSystem().ReadFile(path, kMaxDescriptorBytes);
    if (!text) {
        err << Diagnostic{pathText, 0, text.error().message}.Text() << "\n"
            << "Package incomplete: nothing to load.\n";
        return kExitIncomplete;
    }
    Result<AppDescriptor> descriptor = ParseAppDescriptor(*text, pathText);
    if (!descriptor) {
        err << descriptor.error().Text() << "\n"
            << "Package incomplete: nothing to load.\n";
        return kExitIncomplete;
    }
    std::string directory = DirectoryOrCurrent(path);
    PackageReport report = CheckPackage(*descriptor, directory);

    PrintLoad(*descriptor, report, out);
    if (!report.Complete()) {
        for (const Diagnostic& problem : report.problems)
            err << problem.Text() << "\n";
        err << "Package incomplete: " << report.problems.size() << " problem(s); nothing loaded.\n";
        return kExitIncomplete;
    }
    out << "Package complete: would load " << report.images.size() << " image(s) into the watch.\n";
    return 0;
}

}  // namespace cuffware::downloader
