"""Type stubs of tav, the Python module of the tav peak-fitting program."""

import os
from typing import Any, Callable, Iterable, Literal, Mapping, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt

__version__: str

class FormatError(ValueError):
    """A file that the reader refuses; the message says why."""

class FitError(RuntimeError):
    """A fit or an analysis that cannot be made; the message says why."""

def set_language(language: Literal["en", "ja"]) -> None: ...
def language() -> str: ...

class Profile:
    @property
    def x(self) -> npt.NDArray[np.float64]: ...
    @property
    def y(self) -> npt.NDArray[np.float64]: ...
    @property
    def sigma(self) -> Optional[npt.NDArray[np.float64]]: ...
    @property
    def format(self) -> str: ...
    @property
    def path(self) -> str: ...
    @property
    def wavelengths(self) -> tuple[Optional[float], Optional[float]]: ...
    @property
    def ratio(self) -> Optional[float]: ...
    @property
    def sample(self) -> Optional[str]: ...
    @property
    def scans(self) -> int: ...
    @property
    def scan(self) -> int: ...
    @property
    def x_quantity(self) -> str: ...
    @property
    def x_unit(self) -> str: ...
    @property
    def messages(self) -> list[str]: ...
    def with_wavelengths(
        self, lambda1: float, lambda2: Optional[float] = None, ratio: Optional[float] = None
    ) -> Profile: ...
    def __len__(self) -> int: ...

def open(
    path: Union[str, os.PathLike[str]],
    format: Literal["auto", "rigaku", "xy"] = "auto",
    scan: Optional[int] = None,
) -> Profile: ...

PeakStart = Union[tuple[float, float], tuple[float, float, Optional[float]], Sequence[float]]

def find_peaks(
    profile: Profile,
    xmin: float,
    xmax: float,
    max: Optional[int] = None,
    snr: float = 3.0,
    doublet: bool = False,
) -> list[tuple[float, float]]: ...

Shape = Literal["gauss", "lorentz", "pvoigt", "pearson7", "spvoigt"]

# A constraint: {'peak': int | 'all' | 'background', 'name': str, 'fixed': bool,
# 'lower': float | None, 'upper': float | None}.
ParameterConstraint = Mapping[str, Any]

class FitResult:
    @property
    def parameters(self) -> dict[str, float]: ...
    @property
    def report(self) -> list[dict[str, Union[int, str, float, None]]]: ...
    def report_frame(self) -> Any: ...
    @property
    def stats(self) -> dict[str, Union[int, float, bool, str, None]]: ...
    @property
    def correlations(self) -> dict[str, Any]: ...
    @property
    def notes(self) -> list[str]: ...
    @property
    def messages(self) -> list[str]: ...
    @property
    def runs(self) -> int: ...
    @property
    def converged(self) -> bool: ...
    def model(self, x: npt.ArrayLike) -> npt.NDArray[np.float64]: ...
    def background(self, x: npt.ArrayLike) -> npt.NDArray[np.float64]: ...
    def components(self, x: npt.ArrayLike) -> npt.NDArray[np.float64]: ...

class Fit:
    def __init__(
        self,
        profile: Profile,
        xmin: float,
        xmax: float,
        peaks: Optional[Iterable[PeakStart]] = None,
        *,
        shape: Shape = "pvoigt",
        tolerance: float = 0.001,
        weights: Literal["unit", "counts", "sigma"] = "unit",
        doublet: bool = False,
        doublet_ratio: Optional[float] = None,
        initial_width: Literal["data", "range"] = "data",
        max_peaks: int = 10,
        background_order: int = 1,
        constraints: Union[Sequence[ParameterConstraint], Mapping[str, Any], None] = None,
    ) -> None: ...
    def run(self, max_runs: int = 10) -> FitResult: ...
    @property
    def peak_count(self) -> int: ...

def williamson_hall(
    result: FitResult,
    breadth: Literal["fwhm", "integral"] = "fwhm",
    scherrer_k: Optional[float] = None,
    instrumental_fwhm: Optional[float] = None,
) -> dict[str, Any]: ...

def series(
    files: Iterable[Union[str, os.PathLike[str]]],
    fit: Fit,
    mode: Literal["chain", "independent"] = "chain",
    jobs: int = 1,
    scan: int = 1,
    progress: Optional[Callable[[int, int, str, str], object]] = None,
) -> list[dict[str, Union[int, str, float, None]]]: ...
