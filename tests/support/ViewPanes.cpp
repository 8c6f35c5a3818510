#include "support/ViewPanes.h"

ViewPanes::ViewPanes(const QString& root)
    : tree(&treeWidget, icons), list(&listWidget, icons), status(&statusBar),
      views(tree, list, status, cboFormat, fileSystem, prompts, nullptr)
{
    listWidget.resize(600, 300);
    for (int i = 0; i < FavoritesViews::ViewCount; ++i)
        cboFormat.addItem(FavoritesViews::ViewText(i));
    views.SetFavoritesRoot(root);
}

QStringList ViewPanes::NodeTexts() const
{
    QStringList texts;
    for (const QTreeWidgetItem* node : tree.Nodes())
        texts.append(FavoritesTree::Key(node) + u'=' + FavoritesTree::FullPath(node));
    return texts;
}

QStringList ViewPanes::ListTexts() const
{
    return ListColumn(0);
}

QStringList ViewPanes::ListColumn(int column) const
{
    QStringList texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.append(list.Item(i).siblingAtColumn(column).data().toString());
    return texts;
}

void ViewPanes::Show(int view)
{
    if (views.CurrentView() == view)
        views.RefreshView();
    else
        views.SelectView(view);
}
