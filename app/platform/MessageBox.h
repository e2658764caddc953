#pragma once
// Message boxes of the program. Every box goes through ShowMessage, so tests can install an
// answerer that records each box and answers it instead of blocking on a modal dialog.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageRecord {
    std::string text;
    std::string caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

using MessageHook = std::function<Answer(const MessageRecord&)>;

// The caption every box of the program carries.
inline constexpr const char* kCaption = "VORTAPL";

// Shows a modal box (or asks the installed hook) and returns the button pressed.
Answer ShowMessage(const std::string& text, const std::string& caption = kCaption,
                   Icon icon = Icon::None, Buttons buttons = Buttons::Ok);

// Installs a hook that answers every box; an empty hook restores the real dialog.
void SetMessageHook(MessageHook hook);

// Installs an observer that sees every box before it is shown or answered by the hook (the
// test runner checks each box of every test with it); an empty one removes it.
// Returns the audit it replaces, so that a test can put it back.
std::function<void(const MessageRecord&)>
SetMessageAudit(std::function<void(const MessageRecord&)> audit);

// The box ShowMessage would show, with its Romanian button texts, not yet run.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRecord& record);

// The texts of the buttons, in the order they stand on the box.
std::vector<std::string> ButtonTexts(Buttons buttons);

// Test helper: records every box while alive and answers each with the next queued answer
// (or the first button when none is queued).
class ScopedMessageRecorder {
public:
    ScopedMessageRecorder();
    ~ScopedMessageRecorder();
    ScopedMessageRecorder(const ScopedMessageRecorder&) = delete;
    ScopedMessageRecorder& operator=(const ScopedMessageRecorder&) = delete;

    void queue(Answer answer) { m_answers.push_back(answer); }
    const std::vector<MessageRecord>& messages() const { return m_messages; }
    std::string lastText() const {
        return m_messages.empty() ? std::string() : m_messages.back().text;
    }
    void clear() { m_messages.clear(); }

private:
    std::vector<MessageRecord> m_messages;
    std::vector<Answer> m_answers;
};

} // namespace platform
