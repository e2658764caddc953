#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {
MessageHook& hook() {
    static MessageHook h;
    return h;
}

Answer firstButton(Buttons b) {
    switch (b) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    default:
        return Answer::Ok;
    }
}
} // namespace

void SetMessageHook(MessageHook h) {
    hook() = std::move(h);
}

Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) {
    if (hook())
        return hook()(MessageRecord{text, caption, icon, buttons});

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

ScopedMessageRecorder::ScopedMessageRecorder() {
    SetMessageHook([this](const MessageRecord& r) {
        m_messages.push_back(r);
        if (!m_answers.empty()) {
            Answer a = m_answers.front();
            m_answers.erase(m_answers.begin());
            return a;
        }
        return firstButton(r.buttons);
    });
}

ScopedMessageRecorder::~ScopedMessageRecorder() {
    SetMessageHook({});
}

} // namespace platform
