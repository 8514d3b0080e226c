#pragma once

#include "app/FormBase.h"
#include "printing/DesignDocument.h"
#include "printing/PageSet.h"

#include <memory>

class DesignSurface;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QTimer;
class QButtonGroup;
class QMenu;
class QScrollArea;

// "Rapor dizaynı": the designer of the invoice and delivery-note layouts. Choosing first:
// "Fatura dizaynı" / "İrsaliye dizaynı" open the layout as it prints (its file, else the built-in
// layout with the FatPlan positions), "Manuel Fatura ve İrsaliye dizaynı" opens the position
// editor and closes the designer. Designing: the tool buttons (one down at a time, the pointer
// first), the page surface, the context menu of each item, "Geri al [Ctrl+Z]", "Yinele
// [Ctrl+Y]", "Izgara [Ctrl+G]"; "Kaydet [F2]" writes the .ftr or .irs file and closes, "Vazgeç
// [Esc]" closes without writing (asking first when something changed).
class TfrmUst : public FormBase {
    Q_OBJECT
public:
    // `invoiceId`: the invoice at hand, which the preview pane shows in the layout as it is
    // being designed (0: no preview).
    explicit TfrmUst(Shell& shell, QWidget* parent = nullptr, qint64 invoiceId = 0);
    ~TfrmUst() override;

    // -1 while choosing; 0 the invoice, 1 the delivery note.
    int documentKind() const { return kind_; }
    DesignDocument* document() const { return doc_.get(); }
    DesignSurface* surface() const { return surface_; }
    QAbstractButton* toolButton(int tool) const;
    QMenu* itemMenu() const { return menu_; }
    // The panel's editors of the current item: "Sol : ", "Üst : ", "Genişlik : ", "Uzunluk : ",
    // "Adı : ".
    QLineEdit* panelEditor(int index) const { return panel_[size_t(index)]; }
    void open(bool irsaliye);
    // The preview pane: the pages made from the layout as it stands, the page shown.
    const PageSet& previewPages() const { return preview_; }
    int previewPage() const { return previewPage_; }
    void showPreviewPage(int page);
    // Makes the preview now instead of a moment after the last change (tests, benchmarks).
    void refreshPreview();

protected:
    bool FormKeyDown(QKeyEvent* event) override;
    void updateCommands() override;

private:
    void save();
    void cancel();
    void showItemMenu(const QString& item, QPoint at);
    void properties();
    void fillPanel();
    void applyPanel();
    void sizes();
    void removeCurrent();
    void reorder(bool front);

    int kind_ = -1;
    std::unique_ptr<DesignDocument> doc_;
    DesignSurface* surface_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* tools_ = nullptr;
    QButtonGroup* toolGroup_ = nullptr;
    QMenu* menu_ = nullptr;
    QString menuItem_;
    bool fileUnreadable_ = false; // saving over it asks first
    qint64 invoiceId_ = 0;
    PageSet preview_;
    int previewPage_ = 0;
    QWidget* previewPane_ = nullptr;
    QLabel* previewPicture_ = nullptr;
    QLabel* previewStatus_ = nullptr;
    QTimer* previewTimer_ = nullptr;
    std::vector<QLineEdit*> panel_; // the current item's left, top, width, length, name
    QWidget* split_ = nullptr;
};
