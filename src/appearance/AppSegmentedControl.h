#pragma once

#include <QStringList>
#include <QWidget>

namespace scriblo {

// A row of segments of which exactly one is selected, in the setup window's dark look:
// the picker of the kind of target. Clicks and the arrow keys change the selection.
class AppSegmentedControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int dividerWidth = 3;

    explicit AppSegmentedControl(const QStringList& labels, QWidget* parent = nullptr);

    int selectedSegment() const { return m_selected; }
    // Out-of-range values select nothing; no signal.
    void setSelectedSegment(int segment);
    // Moving across the segments with the arrow keys lists each one's contents, but only
    // a click, Space or Enter picks one on purpose, which may open a notice about it.
    enum class Choice { Picked, Browsed };
    // The user's choice, by a click, a key or an assistive technology: selects and signals.
    void choose(int segment, Choice how = Choice::Picked);
    Choice lastChoice() const { return m_lastChoice; }
    int segmentCount() const { return int(m_labels.size()); }
    QString label(int segment) const { return m_labels.value(segment); }
    // Each segment but the last is one divider wider than its share of the rest.
    QRectF segmentRect(int segment) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // Only for the user's own choice, as a platform control reports it.
    void segmentChosen(int segment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int segmentAt(QPointF position) const;
    void paintSegment(QPainter& painter, int segment) const;
    void paintDivider(QPainter& painter, const QRectF& segment) const;
    void tellAssistiveTechnologies(int previous);

    QStringList m_labels;
    int m_selected = -1;
    int m_pressed = -1;
    Choice m_lastChoice = Choice::Picked;
};

}
