#pragma once

#include <QString>
#include <system_error>

#include "core/address_template.h"
#include "core/example_address.h"
#include "core/pattern_proposal.h"

namespace serialix {

struct ExportResult;
struct UnencodableCharacter;
struct SavedTemplatesError;

// Every message box the window shows says one of these; the caption is the message box
// service's. Lower layers hand over reasons (error values, the system's words), and these
// functions word them.

// The generation command's refusals; the count label quotes them so that what it predicts reads
// exactly as what the run would say.
QString CounterTextMessage(const CounterTextError& error);
QString SegmentTextMessage(const SegmentTextError& error);
QString TooManyAddressesMessage();

// A paste or drop into a field longer than the field takes; the field is as it was.
QString PastedTextTooLongMessage();

// What the pasted text should have been.
QString ExampleAddressErrorMessage(ExampleAddressError error);

// "パターンから作成…": the part of the pattern (UTF-8, as read) the template cannot say, and why.
QString PatternRefusalMessage(const PatternRefusal& refusal, const std::string& pattern);
// "パターンとしてコピー": a counter of the next run whose range no pattern says.
QString CounterNotInPatternMessage(char letter, const Counter& counter);

// "ブラウザーで開く": a row that is no web address, and no browser to open one.
QString NotWebAddressMessage(const QString& address);
QString NoBrowserMessage(const QString& address);
// The address is longer than the system passes to a program; the browser did not start.
QString AddressTooLongForBrowserMessage(const QString& address);
QString BrowserNotStartedMessage(const QString& address, const QString& reason);

// "書き出し": the question before an existing file is replaced.
QString OverwriteQuestion();
// A code page 932 export that would lose a character: the character, its row, the UTF-8 export.
QString UnencodableMessage(const UnencodableCharacter& found);
// What the thing at a path is (a FileKind code), or the system's own words for its error
// ("No space left on device").
QString FileErrorReason(const std::error_code& error);
// The file and the reason on lines of their own.
QString WriteFailedMessage(const QString& path, const std::error_code& error);
// What an export that ended so tells the user; empty when it wrote the file or was cancelled.
QString ExportResultMessage(const ExportResult& result);

// "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ" and the copy of all rows: the list is over the clipboard's limit.
QString ClipboardTooLargeMessage();

// "ｼｽﾃﾑ情報" of the About window: no system-information program could be started.
QString SysInfoUnavailableMessage();

// set.ini at start and at close: the file's path and the reason it gave.
QString SettingsUnreadableMessage(const QString& path, const QString& reason);
// A set.ini saved as UTF-8 by hand: read as code page 932 all the same, said once at start.
QString SettingsInUtf8Message(const QString& path);
QString SettingsNotSavedMessage(const QString& path, const QString& reason);

// Saved templates: templates.ini's path and the reason it gave, and the two questions.
QString TemplatesFileErrorReason(const SavedTemplatesError& error);
QString TemplatesUnreadableMessage(const QString& path, const QString& reason);
QString TemplateNotSavedMessage(const QString& path, const QString& reason);
QString TemplateNotDeletedMessage(const QString& path, const QString& reason);
QString ReplaceTemplateQuestion(const QString& name);
QString DeleteTemplateQuestion(const QString& name);

}  // namespace serialix
