#include "platform/framework/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

void SetClipboardText(const QString& text, const QString& html)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    if (!html.isEmpty())
        data->setHtml(html);
    // The clipboard takes the data over.
    QApplication::clipboard()->setMimeData(data.release());
}

QString ClipboardText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

QString ClipboardHtml()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasHtml() ? data->html() : QString();
}
