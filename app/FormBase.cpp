#include "app/FormBase.h"

#include "app/QuickAccess.h"

#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "widgets/TZemrakSEdit.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

FormBase::FormBase(Shell& shell, const QString& title, QWidget* parent, bool companyCaption)
    : QDialog(parent)
    , shell_(shell)
{
    setModal(true);
    if (companyCaption && shell.companyIsOpen)
        setWindowTitle(QStringLiteral("[-%1-%2-]  %3")
                           .arg(shell.activeCompanyCode, shell.activeCompanyTitle, title));
    else
        setWindowTitle(title);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 2);
    toolbar_ = new QHBoxLayout;
    toolbar_->setSpacing(4);
    outer->addLayout(toolbar_);
    content_ = new QVBoxLayout;
    outer->addLayout(content_, 1);
    auto* status = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        status->addWidget(panels_[i], i == 0 ? 1 : 3);
    }
    // The hint panel takes the width the window gives it and never widens the window as hints
    // change; a hint longer than the panel wraps onto a second line instead of being cut.
    panels_[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    panels_[1]->setWordWrap(true);
    panels_[1]->setMinimumWidth(panels_[1]->fontMetrics().averageCharWidth() * 45);
    panels_[1]->setFixedHeight(2 * panels_[1]->fontMetrics().lineSpacing() +
                               2 * panels_[1]->frameWidth() + 2);
    panels_[0]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    panels_[0]->setFixedHeight(panels_[1]->height());
    if (shell.companyIsOpen)
        panels_[0]->setText(QStringLiteral("[-%1-%2-] şirketi")
                                .arg(shell.activeCompanyCode, shell.activeCompanyTitle));
    outer->addLayout(status);
    connect(qApp, &QApplication::focusChanged, this, &FormBase::onFocusChanged);
}

FormBase::~FormBase()
{
    // Children are destroyed after this body, and a focused one hands focus on as it goes:
    // the slot must not run on what is left of the window by then.
    disconnect(qApp, &QApplication::focusChanged, this, &FormBase::onFocusChanged);
    if (filtering_) qApp->removeEventFilter(this);
}

void FormBase::prepare()
{
    prepared_ = true;
    updateCommands();
}

int FormBase::run()
{
    prepare();
    return exec();
}

void FormBase::closeWindow(int result)
{
    closing_ = true;
    done(result);
}

void FormBase::addCommand(const QString& id, const QString& caption, int key, const QString& hint,
                          std::function<void()> action, bool button)
{
    Command command;
    command.caption = caption;
    command.key = key;
    command.hint = hint;
    command.action = std::move(action);
    if (button) {
        command.button = new QPushButton(caption, this);
        command.button->setObjectName(QStringLiteral("btn") + id);
        command.button->setFocusPolicy(Qt::NoFocus); // keys, not the mouse, drive the window
        command.button->setAutoDefault(false);
        command.button->setToolTip(hint);
        connect(command.button, &QPushButton::clicked, this, [this, id] { MenuIslem(id); });
        toolbar_->addWidget(command.button);
    }
    commands_.insert(id, command);
}

void FormBase::addPopupEntry(QMenu* menu, const QString& text, const QString& command)
{
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, this, [this, command] { MenuIslem(command); });
    commands_[command].popups << action;
    action->setEnabled(commands_[command].enabled);
}

void FormBase::setCommandEnabled(const QString& id, bool on)
{
    auto it = commands_.find(id);
    if (it == commands_.end()) return;
    it->enabled = on;
    if (it->button) it->button->setEnabled(on);
    for (QAction* action : it->popups)
        action->setEnabled(on);
}

bool FormBase::commandEnabled(const QString& command) const
{
    const auto it = commands_.find(command);
    return it != commands_.end() && it->enabled;
}

QPushButton* FormBase::commandButton(const QString& command) const
{
    const auto it = commands_.find(command);
    return it == commands_.end() ? nullptr : it->button;
}

void FormBase::MenuIslem(const QString& command)
{
    const auto it = commands_.find(command);
    if (it == commands_.end() || !it->enabled || !it->action) return;
    const auto action = it->action; // the command may change the table of commands
    try {
        action();
    } catch (const AppError& e) {
        NoticeBox(shell_, e.message(), e.detail(), windowTitle(), this);
    }
    if (isVisible() || !closing_) updateCommands();
}

bool FormBase::FormKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    for (auto it = commands_.cbegin(); it != commands_.cend(); ++it) {
        if (it->key == key) {
            MenuIslem(it.key());
            return true;
        }
    }
    return false;
}

QButtonGroup* FormBase::addRadioGroup(const QString& title, const QStringList& choices, int chosen,
                                      int position)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QHBoxLayout(box);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(choices[i], box);
        radio->setFocusPolicy(Qt::NoFocus);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (QAbstractButton* button = group->button(chosen)) button->setChecked(true);
    content_->insertWidget(position, box);
    return group;
}

QProgressBar* FormBase::addProgressBar()
{
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 1);
    bar->setValue(0);
    bar->setTextVisible(true);
    content_->addWidget(bar);
    return bar;
}

void FormBase::showProgress(QProgressBar* bar, int value, int maximum)
{
    if (bar->maximum() != maximum) bar->setMaximum(maximum);
    if (bar->value() == value) return;
    bar->setValue(value);
    // Painted now: the command runs on, so no input is taken until it ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FormBase::addQuickCardKey(QuickCard card, std::function<QuickTarget()> target, bool button)
{
    addCommand(
        QStringLiteral("HizliKart"), QStringLiteral("Hızlı kart [F10]"), Qt::Key_F10, QString(),
        [this, card, target] {
            const QuickTarget t = target();
            const bool customer = card == QuickCard::Customer;
            if (t.id > 0)
                (customer ? QuickCustomerById : QuickStockById)(shell_, this, t.id);
            else
                (customer ? QuickCustomerByCode : QuickStockByCode)(shell_, this, t.code);
        },
        button);
}

void FormBase::addField(QWidget* editor, const QString& hint)
{
    fieldOrder_.push_back(editor);
    hints_.insert(editor, hint);
}

void FormBase::EnterKontrol(QWidget* from, int step)
{
    const auto it = std::find(fieldOrder_.begin(), fieldOrder_.end(), from);
    if (it == fieldOrder_.end()) return;
    const int at = int(it - fieldOrder_.begin());
    const int count = int(fieldOrder_.size());
    int next = at + step;
    if (wrapFields_) next = (next + count) % count;
    // Skip fields that cannot take the focus now.
    for (int tried = 0;
         next >= 0 && next < count && tried < count &&
         (!fieldOrder_[size_t(next)]->isEnabled() || !fieldOrder_[size_t(next)]->isVisible());
         ++tried) {
        next += step;
        if (wrapFields_) next = (next + count) % count;
    }
    if (next >= int(fieldOrder_.size())) {
        lastFieldEnter();
        return;
    }
    if (next < 0) return;
    fieldOrder_[size_t(next)]->setFocus(Qt::TabFocusReason);
}

void FormBase::YardimEt(const QString& hint)
{
    panels_[1]->setText(hint);
}
void FormBase::YardimSil()
{
    panels_[1]->clear();
}
void FormBase::setStatusText(int panel, const QString& text)
{
    panels_[panel]->setText(text);
}
QString FormBase::statusText(int panel) const
{
    return panels_[panel]->text();
}

void FormBase::onFocusChanged(QWidget*, QWidget* now)
{
    if (!now || now->window() != this || hintsHeld_) return;
    const auto it = hints_.find(now);
    if (it != hints_.end())
        YardimEt(*it);
    else
        YardimSil();
}

void FormBase::showEvent(QShowEvent* event)
{
    if (!filtering_) {
        qApp->installEventFilter(this);
        filtering_ = true;
    }
    QDialog::showEvent(event);
}

void FormBase::hideEvent(QHideEvent* event)
{
    if (filtering_) {
        qApp->removeEventFilter(this);
        filtering_ = false;
    }
    QDialog::hideEvent(event);
}

void FormBase::closeEvent(QCloseEvent* event)
{
    // Alt+F4 and the title bar's close button do not close a window; its commands do.
    if (!closing_) event->ignore();
}

bool FormBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (prepared_ && hiddenShortcut(key)) return true;
    if (FormKeyDown(key)) return true;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    const bool up = key->key() == Qt::Key_Up;
    if ((enter || down || up) && key->modifiers() == Qt::NoModifier) {
        QWidget* focus = widget; // the widget the key went to
        const bool multiLine =
            qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QTextEdit*>(focus);
        if (focus && !multiLine &&
            std::find(fieldOrder_.begin(), fieldOrder_.end(), focus) != fieldOrder_.end()) {
            // The ends are the first and last fields that can take the focus now.
            std::vector<QWidget*> open;
            for (QWidget* f : fieldOrder_)
                if (f->isEnabled() && f->isVisible()) open.push_back(f);
            if (down && downWraps_ && !open.empty() && focus == open.back())
                open.front()->setFocus(Qt::TabFocusReason);
            else if (up && upWraps_ && !open.empty() && focus == open.front())
                open.back()->setFocus(Qt::TabFocusReason);
            else
                EnterKontrol(focus, up ? -1 : 1);
            return true;
        }
    }
    return false;
}

bool FormBase::hiddenShortcut(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const Qt::KeyboardModifiers macroKeys = shell_.install.makroTusu() == 1
                                                ? Qt::ShiftModifier | Qt::ControlModifier
                                                : Qt::KeyboardModifiers(Qt::ShiftModifier);
    if (mods == macroKeys && key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar letter = QChar(char(key));
        if (!QByteArray(kMacroLetters).contains(char(key))) return false; // Q, W, X type as usual
        runMacro(letter);
        return true;
    }
    const auto call = [this](const std::function<void(QWidget*)>& hook) {
        if (hook) hook(this);
        return true;
    };
    if (mods == Qt::AltModifier) {
        switch (key) {
        case Qt::Key_F4:
            return true; // closing by Alt+F4 is not possible
        case Qt::Key_F9:
            return shell_.companyIsOpen ? call(shell_.quickCustomerList) : true;
        case Qt::Key_F10:
            return shell_.companyIsOpen ? call(shell_.quickStockList) : true;
        case Qt::Key_F1:
            return call(shell_.browserHelp);
        case Qt::Key_F8:
            return call(shell_.notesPage);
        case Qt::Key_F7:
            startCalculator();
            return true;
        default:
            return false;
        }
    }
    if (mods == Qt::NoModifier && key == Qt::Key_F1) return call(shell_.helpWindow);
    if (mods == Qt::NoModifier && key == Qt::Key_F12) {
        if (shell_.minimizeProgram)
            shell_.minimizeProgram(this);
        else if (QWidget* top = parentWidget() ? parentWidget()->window() : nullptr)
            top->showMinimized();
        return true;
    }
    return false;
}

void FormBase::runMacro(QChar letter)
{
    shell_.install.reload();
    const QString text = shell_.install.macro(letter);
    QApplication::clipboard()->setText(text);
    QWidget* focus = QApplication::focusWidget();
    if (auto* money = qobject_cast<TZemrakSEdit*>(focus)) {
        money->typeText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        if (!line->isReadOnly()) line->insert(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        if (!plain->isReadOnly()) plain->appendPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
        if (!rich->isReadOnly()) rich->append(text);
    }
}

void FormBase::startCalculator()
{
    for (const char* program :
         {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(program));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    NoticeBox(shell_, QStringLiteral("Hesap makinesi bulunamadı."),
              QStringLiteral("Bilgisayarda kurulu bir hesap makinesi programı yok."), windowTitle(),
              this);
}

std::vector<QLineEdit*> FormBase::addInfoGrid(const QStringList& labels, int columns, int width,
                                              int position)
{
    std::vector<QLineEdit*> boxes;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < labels.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setMinimumWidth(width);
        auto* label = new QLabel(labels[i], this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, i / columns, (i % columns) * 2);
        grid->addWidget(box, i / columns, (i % columns) * 2 + 1);
        boxes.push_back(box);
    }
    content()->insertLayout(std::clamp(position, 0, content()->count()), grid);
    return boxes;
}

void FormBase::sideBySide(const std::vector<QButtonGroup*>& groups)
{
    if (groups.empty() || groups.front()->buttons().isEmpty()) return;
    const int at = content_->indexOf(groups.front()->buttons().front()->parentWidget());
    auto* row = new QHBoxLayout;
    for (QButtonGroup* group : groups) {
        if (group->buttons().isEmpty()) continue;
        QWidget* box = group->buttons().front()->parentWidget();
        content_->removeWidget(box);
        row->addWidget(box);
    }
    content_->insertLayout(std::max(at, 0), row);
}
