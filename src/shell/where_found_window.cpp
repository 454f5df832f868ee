#include "where_found_window.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tessaly {

namespace {

QString FromUtf16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// What the window says instead of (or beside) the line.
QString StateText(const SourceLine& found, std::uint64_t line) {
    switch (found.state) {
        case SourceLine::State::Shown:
            return {};
        case SourceLine::State::NotOnLine:
            return QStringLiteral("The number is not on this line of the file as it is now.");
        case SourceLine::State::Gone:
            return QStringLiteral("The file is no longer there, so its line cannot be shown.");
        case SourceLine::State::Changed:
            return QStringLiteral(
                       "The file has changed since the run, so its line %1 may no longer be the "
                       "line the number was found in. It is not shown.")
                .arg(line);
        case SourceLine::State::Unreadable:
            return QString::fromUtf8(found.failure.data(), qsizetype(found.failure.size()));
    }
    return {};
}

QTextEdit* LineView(const SourceLine& found, QWidget* parent) {
    auto* view = new QTextEdit(parent);
    view->setObjectName(QStringLiteral("LineText"));
    view->setReadOnly(true);
    view->setAcceptRichText(false);
    view->setLineWrapMode(QTextEdit::WidgetWidth);
    const QString ellipsis(QChar(0x2026));
    QTextCursor cursor(view->document());
    if (found.cutBefore) cursor.insertText(ellipsis);
    const std::u16string_view text = found.text;
    cursor.insertText(FromUtf16(text.substr(0, found.numberStart)));
    QTextCharFormat marked;
    marked.setBackground(view->palette().brush(QPalette::Highlight));
    marked.setForeground(view->palette().brush(QPalette::HighlightedText));
    cursor.insertText(
        FromUtf16(text.substr(found.numberStart, found.numberEnd - found.numberStart)), marked);
    cursor.insertText(FromUtf16(text.substr(found.numberEnd)), QTextCharFormat());
    if (found.cutAfter) cursor.insertText(ellipsis);
    // The number in sight, also in a long line.
    cursor.setPosition(int(found.numberStart + (found.cutBefore ? 1 : 0)));
    view->setTextCursor(cursor);
    view->ensureCursorVisible();
    return view;
}

}  // namespace

WhereFoundWindow::WhereFoundWindow(const std::string& path, std::uint64_t line, QWidget* parent)
    : QDialog(parent), line_(line) {
    setObjectName(QStringLiteral("WhereFound"));
    setWindowTitle(QStringLiteral("Where Found"));
    auto* form = new QFormLayout;
    auto* pathLabel = new QLabel(QFile::decodeName(QByteArray::fromStdString(path)), this);
    pathLabel->setObjectName(QStringLiteral("PathText"));
    pathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathLabel->setWordWrap(true);
    form->addRow(QStringLiteral("File:"), pathLabel);
    auto* lineLabel = new QLabel(
        line == kUnknownLine ? QStringLiteral("not known") : QString::number(line), this);
    lineLabel->setObjectName(QStringLiteral("LineNumber"));
    form->addRow(QStringLiteral("Line:"), lineLabel);

    form_ = form;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    reading_ = new QLabel(QStringLiteral("Reading the line\u2026"), this);
    reading_->setObjectName(QStringLiteral("ReadingText"));
    layout->addWidget(reading_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
    resize(fontMetrics().averageCharWidth() * 80, sizeHint().height());
}

void WhereFoundWindow::showLine(const SourceLine& found) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    const int at = layout->indexOf(reading_);
    delete reading_;
    reading_ = nullptr;
    if (!found.where.empty()) {
        auto* whereLabel = new QLabel(QString::fromStdString(found.where), this);
        whereLabel->setObjectName(QStringLiteral("PlaceText"));
        whereLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form_->addRow(QStringLiteral("Where:"), whereLabel);
    }
    const QString state = StateText(found, line_);
    int next = at;
    if (!state.isEmpty()) {
        auto* stateLabel = new QLabel(state, this);
        stateLabel->setObjectName(QStringLiteral("StateText"));
        stateLabel->setWordWrap(true);
        layout->insertWidget(next++, stateLabel);
    }
    QTextEdit* view = nullptr;
    if (found.state == SourceLine::State::Shown || found.state == SourceLine::State::NotOnLine) {
        view = LineView(found, this);
        layout->insertWidget(next, view);
    }
    // Room for eighty characters and six lines of the text; a longer text scrolls.
    int height = sizeHint().height();
    if (view) height += fontMetrics().lineSpacing() * 6 - view->sizeHint().height();
    resize(fontMetrics().averageCharWidth() * 80, height);
}

}  // namespace tessaly
