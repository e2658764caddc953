#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace platform {
namespace {
MessageHook& hook() {
    static MessageHook h;
    return h;
}

std::function<void(const MessageRecord&)>& audit() {
    static std::function<void(const MessageRecord&)> a;
    return a;
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

struct ButtonDef {
    QMessageBox::StandardButton button;
    const char* text;
};

// Qt ships no Romanian translation of its standard buttons, so the texts are set here.
std::vector<ButtonDef> buttonDefs(Buttons b) {
    switch (b) {
    case Buttons::Ok:
        return {{QMessageBox::Ok, "OK"}};
    case Buttons::OkCancel:
        return {{QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Anuleaza"}};
    case Buttons::YesNo:
        return {{QMessageBox::Yes, "Da"}, {QMessageBox::No, "Nu"}};
    case Buttons::YesNoCancel:
        return {
            {QMessageBox::Yes, "Da"}, {QMessageBox::No, "Nu"}, {QMessageBox::Cancel, "Anuleaza"}};
    }
    return {};
}
} // namespace

void SetMessageHook(MessageHook h) {
    hook() = std::move(h);
}

std::function<void(const MessageRecord&)>
SetMessageAudit(std::function<void(const MessageRecord&)> a) {
    return std::exchange(audit(), std::move(a));
}

std::vector<std::string> ButtonTexts(Buttons buttons) {
    std::vector<std::string> texts;
    for (const ButtonDef& d : buttonDefs(buttons))
        texts.emplace_back(d.text);
    return texts;
}

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRecord& r) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(QString::fromStdString(r.caption));
    box->setText(QString::fromStdString(r.text));
    switch (r.icon) {
    case Icon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box->setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box->setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    QMessageBox::StandardButtons set;
    const std::vector<ButtonDef> defs = buttonDefs(r.buttons);
    for (const ButtonDef& d : defs)
        set |= d.button;
    box->setStandardButtons(set);
    for (const ButtonDef& d : defs)
        box->button(d.button)->setText(QString::fromUtf8(d.text));
    return box;
}

Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) {
    const MessageRecord record{text, caption, icon, buttons};
    if (audit())
        audit()(record);
    if (hook())
        return hook()(record);

    std::unique_ptr<QMessageBox> box = BuildMessageBox(record);
    switch (box->exec()) {
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
