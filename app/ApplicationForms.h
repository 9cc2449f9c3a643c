#pragma once
// The application's eleven windows, created once, in start-up order, each assigned to its
// global; they live as long as this object (the whole run, in the program).
#include <functional>
#include <memory>
#include <QString>
#include <QWidget>
#include <vector>

#include "app/Main.h"
#include "link/PcCom.h"

class TApplicationForms {
public:
    explicit TApplicationForms(const QString& programPath = TMainForm::DefaultProgramPath(),
                               TPCom::PortLister listPorts = TPCom::SystemPorts);
    ~TApplicationForms();
    TApplicationForms(const TApplicationForms&) = delete;
    TApplicationForms& operator=(const TApplicationForms&) = delete;

private:
    template <class Form, class... Args>
    Form* Create(Form*& global, QWidget* owner, Args&&... args);

    std::vector<std::unique_ptr<QWidget>> forms_;      // in creation order
    std::vector<std::function<void()>> clearGlobals_;  // one per form, same order
};
