#pragma once

#include "core/common/Messages.h"

#include <QStringList>
#include <QVector>
#include <functional>

// Answers the program's messages from a script and records them. A message that was not
// scripted, or a scripted one that never came, makes verify() fail.
class RecordingResponder : public Msg::Responder {
public:
    RecordingResponder();
    ~RecordingResponder() override;

    // The next message must contain `text` (and have `caption` when given); answers `answer`.
    void expect(const QString& text, Msg::Answer answer = Msg::Answer::Ok,
                const QString& caption = QString());
    // Runs `look` while the last scripted message is shown, to see the screen behind it.
    void whenShown(std::function<void()> look);
    // The last scripted message must carry a check box; the user leaves it `on`.
    void ticking(bool on);
    Msg::Answer respond(const Msg::Request& request) override;

    // Empty when every scripted message came and nothing else; otherwise what went wrong.
    QString problems() const;
    void reset();
    const QVector<Msg::Request>& seen() const { return m_seen; }

private:
    struct Expected {
        QString text;
        Msg::Answer answer;
        QString caption;
        std::function<void()> look;
        int tick = -1; // -1 no check box expected, else the state the user leaves it in
    };
    QVector<Expected> m_expected;
    QVector<Msg::Request> m_seen;
    QStringList m_problems;
};

// In a test function: fails the test when the messages did not go as scripted.
#define VERIFY_MESSAGES(responder)                                                                 \
    do {                                                                                           \
        const QString problems_ = (responder).problems();                                          \
        QVERIFY2(problems_.isEmpty(), qPrintable(problems_));                                      \
    } while (false)
