#include "FuzzSupport.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/DialogueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Result<DialogueFileContent> read = DialogueFile::decode(bytesOf(data, size), QStringLiteral("fuzz.dlg"));
    if (!read.ok())
        return 0;
    const DialogueFileContent& c = *read;
    FUZZ_CHECK(c.AskedQuestions.size() <= Variables::MaxLines);
    // The pane is decoded in one pass; it must be what reading the file line by line gives.
    const QStringList lines = TextFile::splitLines(bytesOf(data, size));
    FUZZ_CHECK(lines.mid(5 + c.AskedQuestions.size()).join(QStringLiteral("\r\n")) == c.PaneText);
    Variables v;
    v.Mode = c.Mode;
    v.PreviousPhrase = c.PreviousPhrase;
    v.PendingKeys = c.PendingKeys;
    v.PendingPhrase = c.PendingPhrase;
    v.AskedQuestions = c.AskedQuestions;
    v.AskedQuestionCount = qint16(c.AskedQuestions.size());
    // What was read is written back so that it reads the same again.
    const QByteArray written = DialogueFile::encode(v, c.PaneText);
    const Result<DialogueFileContent> reread = DialogueFile::decode(written, QStringLiteral("fuzz.dlg"));
    FUZZ_CHECK(reread.ok());
    const DialogueFileContent& again = *reread;
    FUZZ_CHECK(again.Mode == c.Mode && again.PreviousPhrase == c.PreviousPhrase && again.PendingKeys == c.PendingKeys &&
               again.PendingPhrase == c.PendingPhrase && again.AskedQuestions == c.AskedQuestions &&
               again.PaneText == c.PaneText);
    FUZZ_CHECK(DialogueFile::encode(v, again.PaneText) == written);
    return 0;
}
