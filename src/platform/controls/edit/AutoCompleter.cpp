#include "platform/controls/edit/AutoCompleter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTimer>
#include <QWidget>

#include "platform/framework/ControlWidget.h"
#include "platform/controls/edit/MaskEdit.h"

// Runs the completion after a printable character was typed into the edit.
class TShellAutoComplete::KeyWatch : public QObject {
public:
    explicit KeyWatch(TShellAutoComplete* owner) : owner_(owner) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && owner_->enabled_) {
            const QString text = static_cast<QKeyEvent*>(e)->text();
            if (!text.isEmpty() && text[0].isPrint())
                QTimer::singleShot(0, this, [this] { GuardedCall([&] { owner_->Typed(); }); });
        }
        return false;
    }

private:
    TShellAutoComplete* owner_;
};

TShellAutoComplete::TShellAutoComplete(TCustomMaskEdit* edit, IEnumString* source) : edit_(edit), source_(source)
{
    watch_ = std::make_unique<KeyWatch>(this);
    edit_->Widget()->installEventFilter(watch_.get());
}

TShellAutoComplete::~TShellAutoComplete()
{
    if (completer_ && completer_->popup())
        completer_->popup()->hide();
    if (!edit_->IsDestroying() && edit_->HasWidget())
        edit_->Widget()->removeEventFilter(watch_.get());
}

void TShellAutoComplete::Enable(bool on)
{
    enabled_ = on;
    if (!on && completer_ && completer_->popup())
        completer_->popup()->hide();
}

QStringList TShellAutoComplete::ReadAll()
{
    QStringList all;
    if (!source_)
        return all;
    source_->Reset();
    for (int guard = 0; guard < 100000; ++guard) {
        QStringList chunk;
        int fetched = 0;
        const int hr = source_->Next(64, chunk, fetched);
        all << chunk.mid(0, fetched);
        if (hr != IEnumString::S_OK || fetched == 0)
            break;
    }
    return all;
}

QStringList TShellAutoComplete::Suggestions(const QString& prefix)
{
    QStringList out;
    if (prefix.isEmpty())
        return out;
    for (const QString& s : ReadAll())
        if (s.startsWith(prefix, Qt::CaseInsensitive))
            out << s;
    return out;
}

void TShellAutoComplete::Typed()
{
    if (!enabled_ || edit_->IsDestroying() || !edit_->HasWidget())
        return;
    const QString text = edit_->Text();
    // Only a caret at the end of the text completes.
    if (edit_->SelLength() != 0 || edit_->SelStart() != edit_->TextLength())
        return;
    const QStringList found = Suggestions(text);
    if (found.isEmpty())
        return;
    if (options_ & ACO_AUTOAPPEND) {
        const QString rest = found.front().mid(text.size());
        if (!rest.isEmpty()) {
            const int start = edit_->TextLength();
            edit_->SetSelText(rest);
            edit_->SetSel(start, rest.size());
        }
    }
    if (options_ & ACO_AUTOSUGGEST) {
        if (!completer_) {
            completer_ = std::make_unique<QCompleter>();
            completer_->setWidget(edit_->Widget());
            completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
            QObject::connect(completer_.get(), qOverload<const QString&>(&QCompleter::activated),
                             [this](const QString& s) { GuardedCall([&] { edit_->SetText(s); edit_->SetSel(s.size(), 0); }); });
        }
        completer_->setModel(new QStringListModel(found, completer_.get()));
        if (edit_->Widget()->isVisible())
            completer_->complete(QRect(0, 0, edit_->Width(), edit_->Height()));
    }
}
