// TGumParams: the owning, ordered list of quantities.
#include "core/GumParam.h"

#include <algorithm>

namespace vormid {

TGumParam* TGumParams::Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return Items_[static_cast<std::size_t>(index)].get();
}

TGumParam* TGumParams::FindByName(const std::string& name) const {
    const auto it = std::ranges::find(Items_, name, &TGumParam::Name);
    return it != Items_.end() ? it->get() : nullptr;
}

int TGumParams::IndexOf(const TGumParam* param) const {
    const auto it = std::ranges::find_if(Items_, [&](const auto& p) { return p.get() == param; });
    return it != Items_.end() ? static_cast<int>(it - Items_.begin()) : -1;
}

TGumParam* TGumParams::Add() {
    Items_.push_back(std::make_unique<TGumParam>(this));
    return Items_.back().get();
}

void TGumParams::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    Items_.erase(Items_.begin() + index);
}

void TGumParams::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
    auto first = Items_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

std::unique_ptr<TGumParam> TGumParams::Take(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    std::unique_ptr<TGumParam> p = std::move(Items_[static_cast<std::size_t>(index)]);
    Items_.erase(Items_.begin() + index);
    return p;
}

TGumParam* TGumParams::Append(std::unique_ptr<TGumParam> param) {
    if (!param) return nullptr;
    param->Owner = this;
    Items_.push_back(std::move(param));
    return Items_.back().get();
}

void TGumParams::MarkAll() {
    for (auto& p : Items_) p->Unconfirmed = true;
}

void TGumParams::DeleteMarked() {
    for (int i = Count() - 1; i >= 0; --i)
        if (Items_[static_cast<std::size_t>(i)]->Unconfirmed) Delete(i);
}

}  // namespace vormid
