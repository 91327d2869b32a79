#include "StreamView.h"

#include "ControlPanel.h"
#include "ImageWindow.h"
#include "StreamPlayer.h"

#include <QColor>

StreamView::StreamView(QWidget *parent)
    : QWidget(parent), player(new StreamPlayer(this)), image(new ImageWindow(player, this)),
      panel(new ControlPanel(player, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    Arrange();
}

void StreamView::SetControls(const QString &names)
{
    showImage = showPanel = false;
    for (const QString &part : names.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString name = part.trimmed().toLower();
        if (name == QLatin1String("imagewindow") || name == QLatin1String("all"))
            showImage = true;
        if (name == QLatin1String("controlpanel") || name == QLatin1String("all"))
            showPanel = true;
    }
    Arrange();
}

QString StreamView::Controls() const
{
    QStringList parts;
    if (showImage)
        parts << QStringLiteral("imagewindow");
    if (showPanel)
        parts << QStringLiteral("controlpanel");
    return parts.join(QLatin1Char(','));
}

void StreamView::SetBackgroundColor(const QString &color)
{
    QColor parsed(color.trimmed());
    if (parsed.isValid())
        image->SetBackground(parsed);
}

QString StreamView::BackgroundColor() const
{
    return image->Background().name().toUpper();
}

void StreamView::resizeEvent(QResizeEvent *)
{
    Arrange();
}

void StreamView::Arrange()
{
    int panelHeight = showPanel ? std::min(height(), int(ControlPanel::kHeight)) : 0;
    panel->setVisible(showPanel);
    image->setVisible(showImage);
    if (showImage)
        image->setGeometry(0, 0, width(), height() - panelHeight);
    if (showPanel)
        panel->setGeometry(0, showImage ? height() - panelHeight : 0, width(), panelHeight);
}
