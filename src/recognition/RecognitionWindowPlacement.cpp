#include "recognition/RecognitionWindowPlacement.h"

#include "recognition/GestureRecognitionWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace scriblo {

void RecognitionWindowPlacement::followTouchpad(const TouchFrame& frame)
{
    m_pointer.handleFrame(frame, [] {
        QPoint position = QCursor::pos();
        return GeometryPoint { double(position.x()), double(position.y()) };
    });
}

RecognitionWindowLayout RecognitionWindowPlacement::layout(WindowSize size)
{
    std::vector<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->geometry());
    QPoint xPointer = QCursor::pos();
    auto answer = m_pointer.locate({ double(xPointer.x()), double(xPointer.y()) });
    QScreen* primary = QGuiApplication::primaryScreen();
    QPoint pointer = answer.source == PointerWhereabouts::Source::PrimaryScreen && primary
        ? primary->geometry().center()
        : QPointF(answer.position.x, answer.position.y).toPoint();
    return GestureRecognitionWindow::layoutFor(screens, pointer, size);
}

}
