#include "project/builder_script.h"

#include <cmath>

#include "project/text_file.h"
#include "project/text_rules.h"

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
    RecordReader(std::string_view text, const std::string& path)
        : lines_(SplitLines(text)), path_(path) {}

    // The next record, or a failure naming what was expected.
    Result<std::string> Next(const std::string& what) {
        if (next_ >= lines_.size())
            return Fail(static_cast<int>(lines_.size()) + 1,
                        "the script ends early: " + what + " expected");
        return Trimmed(lines_[next_++]);
    }

    // The next record as a count from 0 to max.
    Result<long long> Count(const std::string& what, long long max) {
        Result<std::string> record = Next(what);
        if (!record.ok())
            return record.error();
        double value = NumericValue(*record);
        if (!IsWholeNumberText(*record) || value < 0 || value > max)
            return Fail(LineNumber(), what + " must be a whole number from 0 to " +
                                          std::to_string(max) + ", not \"" + *record + "\"");
        return RoundHalfEven(value);
    }

    Diagnostic Fail(int line, const std::string& message) const {
        return Diagnostic{path_, line, message};
    }
    int LineNumber() const { return static_cast<int>(next_); }

  private:
    static bool IsWholeNumberText(const std::string& text) {
        if (text.empty())
            return false;
        for (char c : text)
            if (c < '0' || c > '9')
                return false;
        return true;
    }

    std::vector<std::string_view> lines_;
    size_t next_ = 0;
    const std::string& path_;
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
    };
    auto readTexts = [&](std::initializer_list<TextField> fields) -> Status {
        for (const TextField& f : fields) {
            Result<std::string> record = reader.Next(f.name);
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

    if (Status s = readTexts({{&ProjectRecord::ApplicationName, "the application name"},
                              {&ProjectRecord::FolderName, "the folder name"},
                              {&ProjectRecord::Description, "the description"},
                              {&ProjectRecord::BannerLine1, "banner line 1"},
                              {&ProjectRecord::BannerLine2, "banner line 2"},
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
    Result<long long> blocks = reader.Count(
        "the category count (this builder has " + std::to_string(categories) + " categories)",
        categories);
    if (!blocks.ok())
        return blocks.error();
    for (int b = 1; b <= *blocks; ++b) {
        int category = b + 1;
        std::string name = project.Files.Find(category)->text;
        Result<long long> count = reader.Count("the file count of \"" + name + "\"", 1 << 20);
        if (!count.ok())
            return count.error();
        for (long long i = 0; i < *count; ++i) {
            Result<std::string> path = reader.Next("a file of \"" + name + "\"");
            if (!path.ok())
                return path.error();
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
    Result<std::string> text = fs.ReadFile(filename);
    if (!text.ok())
        return text.error();
    return ParseBuilderScript(*text, filename, settings);
}

}  // namespace cuffware
