#pragma once
// The polygon Boolean engine: settings, polygon input, one operation, result
// read-back, and the text log "booleng.log" in the current directory.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "boolengine/boolerror.h"
#include "boolengine/boolop.h"
#include "boolengine/dllist.h"

class BoolLink;
class Graph;
class GraphList;
struct GraphListRings;
class Node;

class Bool_Engine {
public:
    Bool_Engine();
    Bool_Engine(const Bool_Engine&) = delete;
    Bool_Engine& operator=(const Bool_Engine&) = delete;
    virtual ~Bool_Engine();

    virtual void WriteLog(const char* text);
    [[noreturn]] virtual void Error(const char* message, const char* header);
    virtual void Info(const char* message, const char* header);

    void SetLog(bool on);
    bool LogOpen() const { return m_logFile != nullptr; }
    // Formatted text straight into the log (no trailing space added).
    void LogPrintf(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    void SetMarge(double marge);
    void SetGrid(int64_t grid);
    void SetDGrid(double dgrid);
    void SetCorrectionFactor(double factor);
    void SetCorrectionAber(double aber);
    void SetSmoothAber(double aber);
    void SetMaxlinemerge(double maxline);
    void SetRoundfactor(double factor);
    void SetWindingRule(bool rule) { m_WINDINGRULE = rule; }

    double GetMarge() const { return m_MARGE; }
    int64_t GetGrid() const { return m_GRID; }
    double GetDGrid() const { return m_DGRID; }
    double GetCorrectionFactor() const { return m_CORRECTIONFACTOR; }
    double GetCorrectionAber() const { return m_CORRECTIONABER; }
    double GetSmoothAber() const { return m_SMOOTHABER; }
    double GetMaxlinemerge() const { return m_MAXLINEMERGE; }
    double GetRoundfactor() const { return m_ROUNDFACTOR; }
    double GetAccuracy() const { return m_ACCURACY; }
    bool GetWindingRule() const { return m_WINDINGRULE; }
    bool GetKeepOrientation() const { return m_KEEPORIENTATION; }
    bool GetLinkHoles() const { return m_LINKHOLES; }
    int GetMaxAttempts() const { return m_MAXATTEMPTS; }

    int64_t GetInternalMarge() const;
    void SetInternalMarge(int64_t marge);
    double GetInternalCorrectionAber() const;
    double GetInternalCorrectionFactor() const;
    int64_t GetInternalMaxlinemerge() const;

    bool StartPolygonAdd(int group);
    bool AddPt(double x, double y);
    bool EndPolygonAdd();

    bool Do(int operation);

    bool StartResultPolygon();
    bool NextResultPoint();
    double GetResultPointX() const;
    double GetResultPointY() const;
    void EndResultPolygon();

    GraphList* GetGraphList() { return m_graphList.get(); }

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    void RunOperation(int operation);
    void RestoreAfterFailure(const GraphListRings& saved);

    bool m_logging = false;
    std::unique_ptr<GraphList> m_graphList;
    double m_MARGE;
    int64_t m_GRID;
    double m_DGRID;
    double m_CORRECTIONABER;
    double m_CORRECTIONFACTOR;
    double m_SMOOTHABER;
    double m_MAXLINEMERGE;
    bool m_WINDINGRULE = true;
    double m_ACCURACY = 0.0001;
    double m_ROUNDFACTOR;
    bool m_KEEPORIENTATION = false;
    bool m_LINKHOLES = true;

    Graph* m_graphToAdd = nullptr;
    Node* m_lastNodeToAdd = nullptr;
    Node* m_firstNodeToAdd = nullptr;
    int m_groupToAdd = 0;

    Graph* m_getGraph = nullptr;
    BoolLink* m_getLink = nullptr;
    Node* m_getNode = nullptr;
    int m_numPtsInPolygon = 0;
    int m_numNodesVisited = 0;

    // The buffer must outlive the stream that writes through it.
    std::unique_ptr<char[]> m_logBuffer;
    std::unique_ptr<std::FILE, FileCloser> m_logFile;
    int m_MAXATTEMPTS = 1;
};
