#include "project/builder_script.h"

#include <algorithm>
#include <cmath>

#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "project/path_field.h"

namespace cuffware {

std::string BuilderScriptText(const ProjectRecord& project) {
    int numberOfStates = project.Files.NumberOfStates();
    TextFile file;
    for (const std::string* field :
         {&project.ApplicationName, &project.FolderName, &project.Description, &project.BannerLine1,
          &project.BannerLine2, &project.VersionRequired})
        file.Line(*field);
    file.Line(std::to_string(project.PasswordSupport));
    file.Line(std::to_string(project.DatabaseSupport));
    for (const std::string* field :
         {&project.PCInterface, &project.HeaderDirectory, &project.SourceDirectory,
          &project.BuildDirectory, &project.IncludeDirectory, &project.AssemblerDirectory})
        file.Line(*field);
    file.Line(std::to_string(numberOfStates + 5));
    for (int node = kParameterNode; node <= StateNode(numberOfStates); ++node) {
        std::vector<std::string> files = project.Files.Files(node);
        file.Line(std::to_string(files.size()));
        for (const std::string& path : files)
            file.Line(path);
    }
    return file.Text();
}

namespace {

// Hands out the script's records one by one, trimmed, and knows where it is.
class RecordReader {
  public:
    RecordReader(std::string_view text, const std::string& path) : rest_(text), path_(path) {}

    // The next record, or a failure naming what was expected. A line ends
    // in CR LF, LF or CR alone, so a script saved on any host reads alike.
    // Lines are taken one at a time, so a script of empty lines costs no
    // more than its text.
    Result<std::string> Next(const std::string& what) {
        if (rest_.empty())
            return Fail(line_ + 1, "the script ends early: " + what + " expected");
        const size_t end = std::min(rest_.find_first_of("\r\n"), rest_.size());
        std::string_view record = rest_.substr(0, end);
        const bool crLf = rest_.substr(end).starts_with("\r\n");
        rest_.remove_prefix(std::min(end + (crLf ? 2 : 1), rest_.size()));
        ++line_;
        return Trimmed(record);
    }

    // The next record as a path or a part of a file name, refused as
    // CheckPathField refuses it.
    Result<std::string> NextPath(const std::string& what) {
        Result<std::string> record = Next(what);
        if (!record.ok())
            return record;
        if (Status field = CheckPathField(*record, what); !field.ok())
            return Fail(LineNumber(), field.error().message);
        return record;
    }

    // The next record as a count from 0 to max.
    Result<long long> Count(const std::string& what, long long max) {
        Result<std::string> record = Next(what);
        if (!record.ok())
            return record.error();
        double value = NumericValue(*record);
        if (!IsWholeNumberText(*record) || value < 0 || value > max)
            return Fail(LineNumber(), what + " must be a whole number from 0 to " +
                                          std::to_string(max) + ", not \"" +
                                          ControlBytesEscaped(*record) + "\"");
        return RoundHalfEven(value);
    }

    Diagnostic Fail(int line, const std::string& message) const {
        return Diagnostic{path_, line, message};
    }
    int LineNumber() const { return line_; }

  private:
    static bool IsWholeNumberText(const std::string& text) {
        if (text.empty())
            return false;
        for (char c : text)
            if (c < '0' || c > '9')
                return false;
        return true;
    }

    std::string_view rest_;
    int line_ = 0;  // of the record last handed out
    const std::string& path_;
};

// What the files of a script add to the build scripts: each file is one
// INCLUDE line in each section source that lists its category, and a header
// file is listed in every one of them. Keeping the sum bounded keeps the
// largest script the reader accepts within about a second of generation.
class IncludeVolume {
  public:
    IncludeVolume(const std::string& path, int numberOfStates)
        : path_(path), sectionSources_(numberOfStates + 3) {}

    Status Add(int category, const std::string& file, int line) {
        const long long copies = category == kHeaderNode ? sectionSources_ : 1;
        bytes_ += (static_cast<long long>(file.size()) + kIncludeLineFrame) * copies;
        if (bytes_ <= kMaxScriptIncludeBytes)
            return Status::Ok();
        return Diagnostic{path_, line,
                          "the files listed so far would put more than " +
                              std::to_string(kMaxScriptIncludeBytes) +
                              " bytes of INCLUDE lines into the build scripts"};
    }

  private:
    static constexpr long long kIncludeLineFrame = 16;  // "    INCLUDE ''" and CR LF
    const std::string& path_;
    long long sectionSources_;  // param.asm, common.asm and one per state
    long long bytes_ = 0;
};

}  // namespace

Result<ProjectRecord> ParseBuilderScript(std::string_view text, const std::string& pathText,
                                         const ToolSettings& settings) {
    ProjectRecord project;
    project.VersionRequired.clear();
    BuildFileTree(project.Files, settings.NumberOfStates);
    RecordReader reader(text, pathText);

    struct TextField {
        std::string ProjectRecord::*field;
        const char* name;
        bool namesFiles = true;  // a path, or a part of the package's file names
    };
    auto readTexts = [&](std::initializer_list<TextField> fields) -> Status {
        for (const TextField& f : fields) {
            Result<std::string> record =
                f.namesFiles ? reader.NextPath(f.name) : reader.Next(f.name);
            if (!record.ok())
                return record.error();
            if (f.field == &ProjectRecord::FolderName)
                SetFolderName(project, *record, settings);
            else
                project.*f.field = *record;
        }
        return Status::Ok();
    };
    auto readFlag = [&](int ProjectRecord::*field, const char* name) -> Status {
        Result<long long> flag = reader.Count(name, 1);
        if (!flag.ok())
            return flag.error();
        project.*field = static_cast<int>(*flag);
        return Status::Ok();
    };

    if (Status s = readTexts({{&ProjectRecord::ApplicationName, "the application name", false},
                              {&ProjectRecord::FolderName, "the folder name"},
                              {&ProjectRecord::Description, "the description", false},
                              {&ProjectRecord::BannerLine1, "banner line 1", false},
                              {&ProjectRecord::BannerLine2, "banner line 2", false},
                              {&ProjectRecord::VersionRequired, "the version required"}});
        !s.ok())
        return s.error();
    if (Status s = readFlag(&ProjectRecord::PasswordSupport, "the password support flag"); !s.ok())
        return s.error();
    if (Status s = readFlag(&ProjectRecord::DatabaseSupport, "the database support flag"); !s.ok())
        return s.error();
    if (Status s = readTexts({{&ProjectRecord::PCInterface, "the PC interface"},
                              {&ProjectRecord::HeaderDirectory, "the header directory"},
                              {&ProjectRecord::SourceDirectory, "the source directory"},
                              {&ProjectRecord::BuildDirectory, "the build directory"},
                              {&ProjectRecord::IncludeDirectory, "the include directory"},
                              {&ProjectRecord::AssemblerDirectory, "the assembler directory"}});
        !s.ok())
        return s.error();

    int categories = project.Files.CategoryCount();
    IncludeVolume volume(pathText, project.Files.NumberOfStates());
    long long files = 0;  // counted so far
    Result<long long> blocks = reader.Count(
        "the category count (this builder has " + std::to_string(categories) + " categories)",
        categories);
    if (!blocks.ok())
        return blocks.error();
    for (int b = 1; b <= *blocks; ++b) {
        int category = b + 1;
        std::string name = project.Files.Find(category)->text;
        Result<long long> count =
            reader.Count("the file count of \"" + name + "\"", kMaxScriptFiles - files);
        if (!count.ok())
            return count.error();
        files += *count;
        for (long long i = 0; i < *count; ++i) {
            Result<std::string> path = reader.NextPath("a file of \"" + name + "\"");
            if (!path.ok())
                return path.error();
            if (Status fits = volume.Add(category, *path, reader.LineNumber()); !fits.ok())
                return fits.error();
            AddFileToCategory(project.Files, category, *path);
        }
    }
    return project;
}

Status SaveBuilderScript(FileSystem& fs, const ProjectRecord& project) {
    return fs.WriteFile(ScriptPath(project), BuilderScriptText(project));
}

Result<ProjectRecord> RestoreBuilderScript(FileSystem& fs, const std::string& filename,
                                           const ToolSettings& settings) {
    Result<std::string> text = fs.ReadFile(filename, kMaxScriptBytes);
    if (!text.ok())
        return text.error();
    return ParseBuilderScript(*text, filename, settings);
}

}  // namespace cuffware
