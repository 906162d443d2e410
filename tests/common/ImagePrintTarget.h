#pragma once
// A print target that draws each job on a page of printer pixels in memory,
// and records the jobs: what tests of printing look at.
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>
#include <vector>

#include "print/PrintTarget.h"

namespace vorlix {

class TImagePrintTarget : public TPrintTarget {
public:
    // A4 at 300 dots per inch unless told otherwise.
    explicit TImagePrintTarget(QSize page = {2480, 3508}) : page_(page) {}
    QSize PageSize() const override { return page_; }
    bool BeginJob(const QString& title, std::string& error) override {
        if (FailAt == Jobs + 1) {
            error = "printer jammed";
            return false;
        }
        Titles.push_back(title);
        Page = QImage(PageSize(), QImage::Format_RGB32);
        Page.fill(Qt::white);
        Painter.begin(&Page);
        Running = true;
        ++Jobs;
        return true;
    }
    QPainter& Canvas() override { return Painter; }
    bool EndJob(std::string&) override {
        Painter.end();
        Pages.push_back(Page);
        Running = false;
        return true;
    }
    void AbortJob() override {
        if (Painter.isActive()) Painter.end();
        Running = false;
        ++Aborted;
    }
    bool JobRunning() const override { return Running; }

    int FailAt = 0;  // the job (from 1) that fails to begin; 0: none
    int Jobs = 0, Aborted = 0;
    bool Running = false;
    std::vector<QString> Titles;
    std::vector<QImage> Pages;
    QImage Page;
    QPainter Painter;

private:
    QSize page_;
};

}  // namespace vorlix
