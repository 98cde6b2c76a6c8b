#pragma once
// One report: the template is read, the report document built and transformed into an HTML file
// in the temporary folder, which is then opened or left for the save command to copy. The object
// lives for one command; the temporary files outlive it.
#include <string>

#include "engine/CalculationResult.h"
#include "input/AssayRecord.h"

class ReportUserInterface;

class HtmlReport {
public:
    // Makes the report at once; when that succeeded and `open` is set, opens it with the shell.
    // Failures are shown through `ui` and leave outputPath() empty.
    // `templatePath` empty: the installed template below the public documents folder.
    HtmlReport(const AssayMap& assays, const CalculationResult& result, bool open, bool hideNotFound,
               ReportUserInterface& ui, std::u16string templatePath = {});

    // True when the report file was written.
    bool create();
    // Reads the template into templateXml(); shows its own failures. False without a message
    // when there is no public documents folder.
    bool loadTemplate();
    // Transforms the report document with templateXml() into the report file and sets outputPath().
    // Raises ReportFailure or ComError.
    void transform();

    bool succeeded() const { return succeeded_; }
    // The report document as text (UTF-16LE), written when first asked for; empty when the report
    // never got as far as its document. Its messages are the log's at the time of asking.
    const std::u16string& sourceXml() const;
    const std::u16string& templateXml() const { return templateXml_; }
    // The report's text, decoded from the file's bytes when first asked for.
    const std::u16string& resultText() const;
    const std::u16string& outputPath() const { return outputPath_; }

    // Where the installed template lives; empty when there is no public documents folder.
    static std::u16string installedTemplatePath();

private:
    void showCreateFailure(const std::exception& failure);

    const AssayMap& assays_;
    const CalculationResult& result_;
    bool hideNotFound_;
    ReportUserInterface& ui_;
    std::u16string templatePath_;
    std::string resultBytes_;
    std::string resultEncoding_;  // empty: UTF-8
    mutable std::u16string resultText_;
    mutable bool resultDecoded_ = false;
    std::u16string dateCreated_;
    bool sourceBuilt_ = false;
    mutable std::u16string sourceXml_;
    mutable bool sourceWritten_ = false;
    std::u16string templateXml_;
    std::u16string outputPath_;
    bool succeeded_ = false;
};
