#pragma once
// The conversation between Corvel and its internal browser program: one
// message per line, the name and its arguments separated by tabs, UTF-8.
// An argument's "%", tab, carriage return and line feed are written as "%25",
// "%09", "%0D" and "%0A", so any text (an address, an error) fits on a line.
//
// Corvel sends: "URL" address, "URLBar" "1"/"0", "Atualizar", "Fechar".
// The browser sends: "Pronto" (its engine runs and it reads commands),
// "DocumentComplete" address, "ProgressChange" progress maximum (maximum
// "0" when loading ended), "Erro" description, "OnQuit" (its window closed).
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace corvel::browser {

struct Message {
    QString name;
    QStringList args;
    QString arg(int i) const { return i < args.size() ? args.at(i) : QString(); }
    friend bool operator==(const Message &a, const Message &b) {
        return a.name == b.name && a.args == b.args;
    }
};

// The line of a message, ended by "\n". A name is letters only; any other
// character in it is dropped.
QByteArray Encode(const QString &name, const QStringList &args = {});
inline QByteArray Encode(const Message &m) {
    return Encode(m.name, m.args);
}

// Splits a byte stream into messages. Lines that are no message (an empty
// name, a name with other characters than letters, text that is not UTF-8
// or a broken escape) are skipped, and so is a line longer than the limit.
class MessageReader {
public:
    explicit MessageReader(int maxLineBytes = 1 << 20) : m_max(maxLineBytes) {}
    // The whole messages the bytes completed.
    QList<Message> feed(const QByteArray &bytes);
    // Lines skipped so far.
    int skipped() const { return m_skipped; }

private:
    void takeLine(const QByteArray &line, QList<Message> *out);
    QByteArray m_buffer;
    int m_max;
    int m_skipped = 0;
    bool m_discarding = false; // inside a line that passed the limit
};

// Names of the messages.
inline constexpr char kUrl[] = "URL";
inline constexpr char kUrlBar[] = "URLBar";
inline constexpr char kAtualizar[] = "Atualizar";
inline constexpr char kFechar[] = "Fechar";
inline constexpr char kPronto[] = "Pronto";
inline constexpr char kDocumentComplete[] = "DocumentComplete";
inline constexpr char kProgressChange[] = "ProgressChange";
inline constexpr char kErro[] = "Erro";
inline constexpr char kOnQuit[] = "OnQuit";

} // namespace corvel::browser
