#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "DataTypes.h"

class TDataSet;
class TDataLink;
class TField;

// Connects bound views (through their links) to one dataset and passes its notifications on.
class TDataSource final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDataSource)

public:
    explicit TDataSource(QObject *parent = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const;
    void setDataSet(TDataSet *dataSet);
    bool Enabled() const;
    void setEnabled(bool value);
    bool AutoEdit() const;
    void setAutoEdit(bool value);
    // The dataset's state while enabled, otherwise inactive.
    TDataSetState State() const;
    // Puts the dataset into state edit when AutoEdit is set and the state is browse.
    void EditRow();

    std::function<void(TDataSource *)> OnStateChange;
    std::function<void(TDataSource *, TField *)> OnDataChange;
    std::function<void(TDataSource *)> OnUpdateData;
};
