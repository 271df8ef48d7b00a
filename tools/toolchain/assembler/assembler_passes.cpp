#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain::assembler_internal {

AssemblyReport Assembler::Run(const std::string& sourceName) {
    sources_.Load(sourceName);
    if (const std::optional<std::string>& failure = sources_.SourceFailure())
        log_.AddForFile({SourceMessage::kError, sourceName, 0, 0, *failure, {}});
    for (const SourceFiles::Problem& problem : sources_.Problems()) {
        if (!stopped_)
            Record(problem.line, problem.reason);
    }
    stopped_ = stopped_ || sources_.Stopped();
    // Room for a symbol in every eighth line up front: a table that grows
    // hashes every symbol in it again, and sources define about one symbol
    // in ten lines.
    symbols_.Reserve(sources_.Lines().size() / 8);
    for (Pass pass : {Pass::kPlace, Pass::kEmit}) {
        if (!stopped_)
            RunPass(pass);
        if (pass == Pass::kPlace && !stopped_) {
            CheckOverlaps();
            ResolveEquates();
            ReportForwardUses();
        }
    }
    if (log_.Errors() == 0 && module_.sections.empty() && !sources_.Files().empty())
        RecordForFile("no section defined (DEFSECT)");
    module_.source = sourceName;
    if (!stopped_)
        Declarations();
    return Report();
}

void Assembler::RunPass(Pass pass) {
    caseSensitive_ = false;
    listOn_ = true;
    current_.reset();
    offsets_.assign(sections_.Count(), 0);
    conditions_.clear();
    expandedLines_ = 0;
    expandedBytes_ = 0;
    moduleBytes_ = 0;
    scope_.Reset();
    uses_.clear();
    pass_ = pass;
    // A row for nearly every line: room for them at once, not copied as the
    // list doubles.
    if (Listing())
        module_.listing.reserve(sources_.Lines().size());
    ProcessLines(sources_.Lines(), 0);
    if (!conditions_.empty() && !stopped_)
        Record(*conditions_.back().where, "IF without ENDIF");
}

bool Assembler::Active() const {
    return conditions_.empty() || Assembling(conditions_.back());
}

bool Assembler::IsConditional(std::string_view keyword) {
    return !KeywordAmong(keyword, {"IF", "ELSE", "ENDIF"}).empty();
}

bool Assembler::Assembling(const Condition& c) {
    return c.outerActive && c.taken != c.inElse;
}

void Assembler::ProcessLines(std::span<const SourceLine> lines, int macroDepth) {
    Statement statement;
    for (size_t i = 0; i < lines.size() && !stopped_; ++i) {
        const SourceLine& line = lines[i];
        if (Status read = ReadStatement(line.Text(), statement); !read) {
            Record(line, read.error().message);
            continue;
        }
        if (Active()) {
            bool usesMacro = !statement.name.empty() && FindMacro(statement.name);
            if (Status qualified = scope_.Qualify(statement, usesMacro); !qualified) {
                ForgetFailedName(statement);
                Record(line, qualified);
                continue;
            }
        }
        if (statement.kind == Statement::kOther && IsConditional(statement.name)) {
            Record(line, Conditional(ToUpperAscii(statement.name), statement.operands, line));
            ListLine(line, std::nullopt, {});
            continue;
        }
        if (!Active())
            continue;
        if (statement.kind != Statement::kControl && statement.quoteLeftOpen) {
            Record(line, "unterminated string");
            continue;
        }
        if (statement.kind == Statement::kDefinition && statement.definer == "MACRO") {
            i = DefineMacro(statement, lines, i);
            continue;
        }
        if (statement.kind == Statement::kOther && IsBodyKeyword(statement.name) &&
            !FindMacro(ToUpperAscii(statement.name))) {
            i = Repeat(statement, lines, i, macroDepth);
            continue;
        }
        Status done = Process(statement, line, macroDepth);
        if (!done) {
            ForgetFailedName(statement);
            Record(line, done);
        }
    }
}

void Assembler::ForgetFailedName(const Statement& statement) {
    if (statement.kind == Statement::kDefinition && !symbols_.Contains(Key(statement.name)))
        failedNames_.insert(Key(statement.name));
    if (statement.kind == Statement::kOther && IsIdentifier(statement.name) &&
        !IsKeyword(statement.name) && !FindMacro(statement.name))
        failedNames_.insert(Key(statement.name));
}

Status Assembler::Conditional(const std::string& keyword, const std::string& operands,
                              const SourceLine& line) {
    if (keyword == "IF") {
        // An IF that cannot be read counts as false, so its lines are
        // neither assembled nor reported.
        Result<long long> value = Active() ? KnownValue(operands, line, "IF") : 0LL;
        conditions_.push_back({Active(), value && *value != 0, false, &line});
        return StatusOf(value);
    }
    if (conditions_.empty())
        return At(line, keyword + " without IF");
    if (keyword == "ELSE") {
        if (conditions_.back().inElse)
            return At(line, "second ELSE for one IF");
        conditions_.back().inElse = true;
    } else {
        conditions_.pop_back();
    }
    return Status::Ok();
}

std::string Assembler::NestedTooDeep() {
    return "macros and REPT blocks nested more than " + std::to_string(kMaxMacroDepth) + " deep";
}

Status Assembler::Process(const Statement& statement, const SourceLine& line, int macroDepth) {
    switch (statement.kind) {
        case Statement::kEmpty:
            ListLine(line, std::nullopt, {});
            return Status::Ok();
        case Statement::kControl:
            ListLine(line, std::nullopt, {});
            return Control(statement, line);
        case Statement::kDefinition:
            ListLine(line, std::nullopt, {});
            return Definition(statement, line);
        case Statement::kOther:
            break;
    }
    const Macro* macro = statement.name.empty() ? nullptr : FindMacro(statement.name);
    if (!statement.name.empty() && !macro && !IsKeyword(statement.name))
        return At(line,
                  "cannot read line: unknown instruction or directive " + Quoted(statement.name));
    if (!statement.label.empty() && pass_ == Pass::kPlace) {
        if (!current_)
            return At(line, "label " + Quoted(statement.label) + " outside a section");
        Symbol label{.name = statement.label,
                     .value = Here(),
                     .caseSensitive = caseSensitive_,
                     .where = &line};
        if (Status defined = Enter(statement.label, std::move(label)); !defined)
            return defined;
        module_.labels.push_back({statement.label, *current_, offsets_[*current_]});
    }
    if (macro) {
        ListLine(line, std::nullopt, {});
        return Expand(*macro, statement, line, macroDepth);
    }
    if (statement.name.empty()) {
        ListLine(line, current_ ? std::optional(Address()) : std::nullopt, {});
        return Status::Ok();
    }
    return Directive(statement, line);
}

}  // namespace cuffware::toolchain::assembler_internal
