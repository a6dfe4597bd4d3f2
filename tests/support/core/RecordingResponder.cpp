#include "support/core/RecordingResponder.h"

RecordingResponder::RecordingResponder() {
    Msg::setResponder(this);
}

RecordingResponder::~RecordingResponder() {
    if (Msg::responder() == this)
        Msg::setResponder(nullptr);
}

void RecordingResponder::expect(const QString& text, Msg::Answer answer, const QString& caption) {
    m_expected.push_back({text, answer, caption, {}, -1});
}

void RecordingResponder::ticking(bool on) {
    if (!m_expected.isEmpty())
        m_expected.last().tick = on ? 1 : 0;
}

void RecordingResponder::whenShown(std::function<void()> look) {
    if (!m_expected.isEmpty())
        m_expected.last().look = std::move(look);
}

Msg::Answer RecordingResponder::respond(const Msg::Request& request) {
    m_seen.push_back(request);
    if (m_expected.isEmpty()) {
        m_problems
            << QStringLiteral("unexpected message [%1] %2").arg(request.caption, request.text);
        return request.buttons == Msg::Buttons::Ok ? Msg::Answer::Ok : Msg::Answer::No;
    }
    const Expected e = m_expected.takeFirst();
    if (!request.text.contains(e.text))
        m_problems << QStringLiteral("expected message containing \"%1\", got \"%2\"")
                          .arg(e.text, request.text);
    if (!e.caption.isNull() && request.caption != e.caption)
        m_problems << QStringLiteral("expected caption \"%1\", got \"%2\" for \"%3\"")
                          .arg(e.caption, request.caption, request.text);
    if (e.tick >= 0) {
        if (request.checkBox.isEmpty() || !request.checked)
            m_problems << QStringLiteral("expected a check box with \"%1\"").arg(request.text);
        else
            *request.checked = e.tick == 1;
    }
    if (e.look)
        e.look();
    return e.answer;
}

QString RecordingResponder::problems() const {
    QStringList all = m_problems;
    for (const Expected& e : m_expected)
        all << QStringLiteral("scripted message never came: \"%1\"").arg(e.text);
    return all.join(QLatin1Char('\n'));
}

void RecordingResponder::reset() {
    m_expected.clear();
    m_seen.clear();
    m_problems.clear();
}
