// Reports the level and strongest frequency of everything any AudioContext sends to its
// speakers, once a second, as console warnings "AUDIO rms=<level> hz=<frequency>".
(function () {
  const probes = [];
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (target, ...rest) {
    if (!(target instanceof AudioDestinationNode))
      return connect.call(this, target, ...rest);
    const context = target.context;
    if (!context.probe) {
      context.probe = context.createAnalyser();
      context.probe.fftSize = 4096;
      connect.call(context.probe, target);
      probes.push(context.probe);
    }
    return connect.call(this, context.probe, ...rest);
  };
  setInterval(function () {
    for (const probe of probes) {
      const wave = new Float32Array(probe.fftSize);
      probe.getFloatTimeDomainData(wave);
      let sum = 0;
      for (const v of wave) sum += v * v;
      const spectrum = new Float32Array(probe.frequencyBinCount);
      probe.getFloatFrequencyData(spectrum);
      let peak = 1;
      for (let i = 1; i < spectrum.length; ++i) if (spectrum[i] > spectrum[peak]) peak = i;
      const hz = peak * probe.context.sampleRate / probe.fftSize;
      console.warn("AUDIO rms=" + Math.sqrt(sum / wave.length).toFixed(3) + " hz=" + Math.round(hz));
    }
  }, 1000);
})();
