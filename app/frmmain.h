// SPDX-License-Identifier: BSD-3-Clause
// The program's one window: three tab pages, each with one extended list and its controls.
#pragma once

#include <KvListEx/classic.h>

#include <QHash>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Shape;
class TabPage;

class frmMain : public QWidget {
    Q_OBJECT
public:
    // Loads a bitmap resource by number; tests replace it to watch or break the loading.
    using PictureLoader = std::function<QPixmap(int id)>;

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Fills the lists; run once, before the window is first shown.
    void Form_Load();
    // Shows the window centred on the screen with the focus in the first list.
    void showCentred();

    void setPictureLoader(PictureLoader loader) { m_loadPicture = std::move(loader); }

    // The outer size the window keeps, frame included, in logical pixels.
    static QSize outerSize();
    // The layout's client area, in logical pixels.
    static QSize clientSize();

    // Controls, by the names the handlers use.
    QTabWidget *SSTab1 = nullptr;
    QPushButton *cmdAbout = nullptr;
    QPushButton *cmdExit = nullptr;
    std::array<TabPage *, 3> pages{};

    // Font page
    KvListEx::Classic::ListEx *ListEx1 = nullptr;
    std::array<QCheckBox *, 4> chkFont{};
    QLabel *lblFontType = nullptr;
    QLabel *lblFontSample = nullptr;

    // Color page
    KvListEx::Classic::ListEx *ListEx2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 2> optColors{};
    QGroupBox *Frame2 = nullptr;
    std::array<QRadioButton *, 2> optStyle{};
    QLabel *Label6 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblColor = nullptr;

    // Picture page
    KvListEx::Classic::ListEx *ListEx3 = nullptr;
    std::array<Shape *, 2> Shape1{};
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    std::array<QPushButton *, 2> cmdItemChange{};
    std::array<QLabel *, 2> Label5{};
    std::array<QLineEdit *, 2> txtIndex{};
    QLineEdit *txtItem = nullptr;
    QPushButton *cmdFind = nullptr;
    QCheckBox *chkFind = nullptr;
    QCheckBox *chkEnabled = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblDescr = nullptr;

    // Handlers (public so that tests can raise them as the controls do).
    void Form_Resize();
    void cmdExit_Click();
    void cmdAbout_Click();
    void ListEx1_ItemSelected();
    void chkFont_Click(qint16 Index);
    void ListEx2_ItemSelected();
    void optColors_Click(qint16 Index);
    void optStyle_Click(qint16 Index);
    void ListEx3_ItemSelected();
    void cmdItemChange_Click(qint16 Index);
    void cmdFind_Click();
    void chkEnabled_Click();
    void txtIndex_KeyPress(qint16 Index, int &KeyAscii);

    // Routines of the window.
    void LoadCustomColors();
    void LoadCharacters();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createLayout();
    void createFontPage(TabPage *page);
    void createColorPage(TabPage *page);
    void createPicturePage(TabPage *page);
    void setFocusOrder();
    void connectHandlers();
    void followLayoutDirection();

    PictureLoader m_loadPicture;
    QList<QWidget *> m_focusOrder;    // Tab order across the pages: 0 first
    QHash<QWidget *, QRect> m_places; // where the window and its frames place their controls
};
