#pragma once

// The widget of a tab control: a tab bar whose changes the parent window may veto, above an
// area that hosts the pages.

#include <QTabBar>
#include <QWidget>

namespace ui {

class VetoTabBar : public QTabBar {
public:
    explicit VetoTabBar(QWidget* parent);
    // Changes the tab the way a user does: asks first, tells afterwards.
    void ChangeByUser(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

class TabWidget : public QWidget {
public:
    explicit TabWidget(QWidget* parent);
    VetoTabBar* Bar() const { return m_bar; }
    QRect DisplayRect() const;
    // Places the tab bar again after tabs came or went.
    void Relayout();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int BarHeight() const;

    VetoTabBar* m_bar;
};

} // namespace ui
