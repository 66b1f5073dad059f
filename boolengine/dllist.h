#pragma once
// Circular doubly linked list with a sentinel, edited through counted iterators.
// The list refuses edits while an iterator is attached, and an iterator refuses
// edits while another one is attached, so no iterator is ever left dangling.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <type_traits>
#include <vector>

#include "boolengine/dllist_errors.h"
#include "boolengine/smallpool.h"

template <typename Dtype> class DL_Iter;

template <typename Dtype> class DL_List {
public:
    struct DL_Node {
        Dtype item{};
        DL_Node* next = nullptr;
        DL_Node* prev = nullptr;
        BOOL_POOLED(DL_Node)
    };

    DL_List() { root_.next = root_.prev = &root_; }
    DL_List(const DL_List&) = delete;
    DL_List& operator=(const DL_List&) = delete;

    // A destructor must not throw: a list destroyed with iterators attached is
    // reported on standard error and freed anyway.
    ~DL_List()
    {
        if (iterlevel_ > 0) std::fputs("DL_List::~DL_List()\n_iterlevel > 0 \n", stderr);
        free_nodes(false);
    }

    DL_Node* insbegin(Dtype item)
    {
        require_no_iter("insbegin()");
        return link_after(&root_, item);
    }
    DL_Node* insend(Dtype item)
    {
        require_no_iter("insend()");
        return link_after(root_.prev, item);
    }
    void removehead()
    {
        require_no_iter("removehead()");
        if (count_ == 0) dl_errors::ListError("removehead()", 12);
        unlink(root_.next);
    }
    void removetail()
    {
        require_no_iter("removetail()");
        if (count_ == 0) dl_errors::ListError("removetail()", 12);
        unlink(root_.prev);
    }
    void remove_all(bool deleteItems)
    {
        require_no_iter("remove_all()");
        free_nodes(deleteItems);
    }
    bool empty() const { return count_ == 0; }
    int count() const { return count_; }
    int iterlevel() const { return iterlevel_; }
    Dtype headitem() const
    {
        if (count_ == 0) dl_errors::ListError("headitem()", 12);
        return root_.next->item;
    }

    // Read-only walk that needs no iterator (used by dumps and copies).
    template <typename F> void foreach_item(F f) const
    {
        for (const DL_Node* n = root_.next; n != &root_; n = n->next) f(n->item);
    }
    std::vector<Dtype> items() const
    {
        std::vector<Dtype> out;
        out.reserve(static_cast<size_t>(count_));
        foreach_item([&out](Dtype d) { out.push_back(d); });
        return out;
    }

private:
    friend class DL_Iter<Dtype>;

    void require_no_iter(const char* member) const
    {
        if (iterlevel_ > 0) dl_errors::ListError(member, 7);
    }
    DL_Node* link_after(DL_Node* where, Dtype item)
    {
        DL_Node* n = new DL_Node;
        n->item = item;
        n->prev = where;
        n->next = where->next;
        where->next->prev = n;
        where->next = n;
        ++count_;
        return n;
    }
    DL_Node* unlink(DL_Node* n)
    {
        DL_Node* next = n->next;
        n->prev->next = n->next;
        n->next->prev = n->prev;
        delete n;
        --count_;
        return next;
    }
    void free_nodes(bool deleteItems)
    {
        DL_Node* n = root_.next;
        while (n != &root_) {
            DL_Node* next = n->next;
            if constexpr (std::is_pointer<Dtype>::value) {
                if (deleteItems) delete n->item;
            }
            delete n;
            n = next;
        }
        root_.next = root_.prev = &root_;
        count_ = 0;
    }

    DL_Node root_;
    int count_ = 0;
    int16_t iterlevel_ = 0;
};

template <typename Dtype> class DL_Iter {
    using Node = typename DL_List<Dtype>::DL_Node;

public:
    DL_Iter() = default;
    explicit DL_Iter(DL_List<Dtype>* list) : list_(list)
    {
        if (list_) {
            ++list_->iterlevel_;
            current_ = &list_->root_;
        }
    }
    DL_Iter(const DL_Iter&) = delete;
    DL_Iter& operator=(const DL_Iter&) = delete;
    ~DL_Iter()
    {
        if (list_ && list_->iterlevel_ > 0) --list_->iterlevel_;
    }

    void Attach(DL_List<Dtype>* list)
    {
        if (list_) dl_errors::IterError("Attach(list)", 13);
        if (!list) dl_errors::IterError("Attach(list)", 1);
        list_ = list;
        ++list_->iterlevel_;
        current_ = list_->root_.next;
    }
    void Detach()
    {
        if (!list_) dl_errors::IterError("Attach()", 1);
        if (list_->iterlevel_ <= 0) dl_errors::IterError("~DL_Iter()", 14);
        --list_->iterlevel_;
        list_ = nullptr;
        current_ = nullptr;
    }
    bool attached() const { return list_ != nullptr; }

    void tohead() { check("tohead()"); current_ = list_->root_.next; }
    void totail() { check("totail()"); current_ = list_->root_.prev; }
    void toroot() { check("toroot()"); current_ = &list_->root_; }
    void operator++(int) { check("operator++(int)"); current_ = current_->next; }
    void operator++() { check("operator++(int)"); current_ = current_->next; }
    void operator--(int) { check("operator--(int)"); current_ = current_->prev; }
    bool hitroot() const { check("hitroot()"); return current_ == &list_->root_; }
    bool athead() const { check("athead()"); return current_ == list_->root_.next && !hitroot(); }
    bool attail() const { check("attail()"); return current_ == list_->root_.prev && !hitroot(); }
    bool empty() const { check("empty()"); return list_->count_ == 0; }
    int count() const { check("count()"); return list_->count_; }

    Dtype item() const
    {
        check("item()");
        if (current_ == &list_->root_) dl_errors::IterError("item()", 9);
        return current_->item;
    }
    void insbefore(Dtype item)
    {
        check("insbefore()");
        only_iter("insbefore()");
        list_->link_after(current_->prev, item);
    }
    // Removes the current node; the iterator moves on to the next one.
    void remove()
    {
        check("remove()");
        only_iter("remove()");
        if (current_ == &list_->root_) dl_errors::IterError("remove()", 8);
        current_ = list_->unlink(current_);
    }
    bool toitem(Dtype item)
    {
        check("toitem(item)");
        for (Node* n = list_->root_.next; n != &list_->root_; n = n->next) {
            if (n->item == item) {
                current_ = n;
                return true;
            }
        }
        return false;
    }
    void toiter(const DL_Iter& other)
    {
        check("toiter(otheriter)");
        if (!other.list_) dl_errors::IterError("toiter(otheriter)", 2);
        if (other.list_ != list_) dl_errors::IterError("toiter(otheriter)", 5);
        current_ = other.current_;
    }
    bool has(Dtype item) const
    {
        check("has()");
        for (Node* n = list_->root_.next; n != &list_->root_; n = n->next)
            if (n->item == item) return true;
        return false;
    }
    // Moves every item of another list to the end of this one.
    void takeover(DL_List<Dtype>* other)
    {
        check("takeover(DL_List*)");
        if (other == list_) dl_errors::IterError("takeover(DL_List*)", 4);
        if (other->iterlevel_ > 0) dl_errors::IterError("takeover(DL_List*)", 3);
        only_iter("takeover(DL_List*)");
        splice_all(other);
    }
    void takeover(DL_Iter* other)
    {
        check("takeover(DL_Iter*)");
        if (!other->list_) dl_errors::IterError("takeover(DL_Iter*)", 2);
        if (other->list_ == list_) dl_errors::IterError("takeover(DL_Iter*)", 4);
        if (other->list_->iterlevel_ > 1) dl_errors::IterError("takeover(DL_Iter*)", 3);
        only_iter("takeover(DL_Iter*)");
        splice_all(other->list_);
        other->current_ = &other->list_->root_;
    }
    template <typename F> void foreach(F f)
    {
        check("foreach()");
        for (Node* n = list_->root_.next; n != &list_->root_; n = n->next) f(n->item);
    }

    // Stable sort; cmp(a, b) is 1 when a belongs before b, -1 after, 0 equal.
    template <typename Cmp> void mergesort(Cmp cmp)
    {
        check("mergesort()");
        only_iter("mergesort()");
        std::vector<Dtype> v = list_->items();
        std::stable_sort(v.begin(), v.end(), [&cmp](const Dtype& a, const Dtype& b) {
            return cmp(a, b) == 1;
        });
        size_t i = 0;
        for (Node* n = list_->root_.next; n != &list_->root_; n = n->next) n->item = v[i++];
    }

    // Alternating bubble passes; onswap(current, next) is called before each swap.
    // Returns the number of onswap calls that answered true.
    template <typename Cmp, typename OnSwap> int cocktailsort(Cmp cmp, OnSwap onswap)
    {
        check("cocktailsort()");
        only_iter("cocktailsort()");
        int answered = 0;
        if (list_->count_ < 2) return 0;
        Node* const root = &list_->root_;
        bool swapped = true;
        while (swapped) {
            swapped = false;
            for (Node* n = root->next; n->next != root; n = n->next) {
                if (cmp(n->next->item, n->item) == 1) {
                    if (onswap(n->item, n->next->item)) ++answered;
                    std::swap(n->item, n->next->item);
                    swapped = true;
                }
            }
            if (!swapped) break;
            swapped = false;
            for (Node* n = root->prev; n->prev != root; n = n->prev) {
                if (cmp(n->item, n->prev->item) == 1) {
                    if (onswap(n->prev->item, n->item)) ++answered;
                    std::swap(n->item, n->prev->item);
                    swapped = true;
                }
            }
        }
        return answered;
    }

private:
    void check(const char* member) const
    {
        if (!list_) dl_errors::IterError(member, 1);
    }
    void only_iter(const char* member) const
    {
        if (list_->iterlevel_ > 1) dl_errors::IterError(member, 6);
    }
    void splice_all(DL_List<Dtype>* other)
    {
        if (other->count_ == 0) return;
        Node* first = other->root_.next;
        Node* last = other->root_.prev;
        Node* tail = list_->root_.prev;
        tail->next = first;
        first->prev = tail;
        last->next = &list_->root_;
        list_->root_.prev = last;
        list_->count_ += other->count_;
        other->root_.next = other->root_.prev = &other->root_;
        other->count_ = 0;
    }

    DL_List<Dtype>* list_ = nullptr;
    Node* current_ = nullptr;
};

// Attaches an iterator for one scope; detaching never throws, so an error
// raised while attached is the one that leaves.
template <typename Dtype> class DL_IterAttach {
public:
    DL_IterAttach(DL_Iter<Dtype>& iter, DL_List<Dtype>* list) : iter_(iter) { iter_.Attach(list); }
    ~DL_IterAttach()
    {
        try {
            iter_.Detach();
        } catch (...) {
        }
    }
    DL_IterAttach(const DL_IterAttach&) = delete;
    DL_IterAttach& operator=(const DL_IterAttach&) = delete;

private:
    DL_Iter<Dtype>& iter_;
};
