from collections.abc import Iterable, Mapping, Sequence
from typing import Any, NamedTuple, overload, Literal

import numpy as np
import numpy.typing as npt
import pandas as pd

SERIES: tuple[str, str, str, str, str]
STEPS: int

class Parameter(NamedTuple):
    name: str
    kind: str
    default: float | int
    minimum: float | int | None
    maximum: float | int | None
    meaning: str
    bounds: str

parameters: Mapping[str, Parameter]

def parameter_table() -> pd.DataFrame: ...

Value = float | int | str | bool | np.number[Any]
Settings = pd.DataFrame | Mapping[str, Sequence[Value] | npt.ArrayLike] | Iterable[Mapping[str, Value]]

class Setting:
    def values(self) -> dict[str, float | int]: ...
    def command(self, seed: int) -> str: ...
    def short_command(self, seed: int) -> str: ...

class Run:
    series: npt.NDArray[np.float32]
    seed: int
    setting: Setting
    def __init__(self, series: npt.NDArray[np.float32], seed: int, setting: Setting) -> None: ...
    @property
    def parameters(self) -> dict[str, float | int]: ...
    @property
    def command(self) -> str: ...
    def to_frame(self) -> pd.DataFrame: ...
    def __array__(self, dtype: Any = ...) -> npt.NDArray[Any]: ...

class ModelFunction:
    def __call__(self, X: npt.ArrayLike) -> npt.NDArray[np.float64]: ...
    @property
    def names(self) -> list[str]: ...
    @property
    def measure(self) -> str: ...
    @property
    def seed(self) -> int: ...
    @property
    def replicates(self) -> int: ...

@overload
def run(seed: int | None = ..., *, frame: Literal[False] = ..., **parameters: Value) -> Run: ...
@overload
def run(seed: int | None = ..., *, frame: Literal[True], **parameters: Value) -> pd.DataFrame: ...
def runs(settings: Settings | None = ..., replicates: int = ..., seed: int | None = ...,
         jobs: int | None = ..., **parameters: Value) -> pd.DataFrame: ...
def summary(settings: Settings | None = ..., replicates: int = ..., seed: int | None = ...,
            jobs: int | None = ..., **parameters: Value) -> pd.DataFrame: ...
def band(replicates: int = ..., seed: int | None = ..., jobs: int | None = ...,
         **parameters: Value) -> pd.DataFrame: ...
def response(name: str, values: Iterable[Value], series: str = ...,
             measure: Literal["final", "late_mean"] = ..., replicates: int = ...,
             seed: int | None = ..., jobs: int | None = ..., **parameters: Value) -> pd.DataFrame: ...
def model_function(names: str | Sequence[str], measure: str = ..., seed: int | None = ...,
                   replicates: int = ..., jobs: int | None = ...,
                   **parameters: Value) -> ModelFunction: ...
