#pragma once
#include "ui/Controls.h"

namespace ui {

// A tree whose nodes are numbered from 1 in the order they were added.
class TreeView : public Control {
 public:
  struct Node {
    std::string text;
    int parent;  // 0 for a root
    int image;   // 1-based icon of the image list
    bool expanded;
  };
  TreeView(Control* parent, std::string name, Rect rect)
      : Control(parent, Kind::TreeView, std::move(name), rect) {}

  int add(int parentNode, const std::string& text, int image);
  int nodeCount() const { return static_cast<int>(nodes_.size()); }
  const Node& node(int i) const { return nodes_.at(i - 1); }
  int find(const std::string& text) const;  // 0 when missing
  // Raises onExpand or onCollapse when the state changes, as a user's click does.
  void setExpanded(int i, bool expanded);
  int selectedNode() const { return selected_; }
  // A user's click on a node: selects it and raises onClick.
  void clickNode(int i);

  bool labelEdit = true;
  std::function<void(int node)> onExpand, onCollapse;
  Handler onClick;

 private:
  std::vector<Node> nodes_;
  int selected_ = 0;
};

}  // namespace ui
